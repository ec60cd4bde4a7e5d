#include "bench/pictures.h"

#include <algorithm>
#include <cstdlib>

namespace quorvin::bench {

std::filesystem::path PictureDir() {
  if (const char* dir = std::getenv("QUORVIN_BENCH_PICTURES"); dir != nullptr && *dir != '\0') {
    return dir;
  }
  return QUORVIN_BENCH_PICTURES_DIR;
}

std::vector<PictureCase> ListPictures() {
  std::vector<PictureCase> cases;
  std::error_code error;
  for (const auto& item : std::filesystem::directory_iterator(PictureDir(), error)) {
    const std::string file = item.path().filename().string();
    const std::string stem = item.path().stem().string();
    const std::string extension = item.path().extension().string();
    if (stem.starts_with("tiny")) continue;
    PictureCase picture;
    picture.path = item.path();
    picture.bytes = item.file_size(error);
    if (extension == ".jpg") {
      picture.kind = PictureKind::kJpeg;
    } else if (extension == ".png") {
      picture.kind = PictureKind::kPng;
    } else {
      continue;
    }
    // photo-24mp.jpg -> jpeg-24mp; logo-500.png -> png-logo-500
    const std::string kind = picture.kind == PictureKind::kJpeg ? "jpeg" : "png";
    picture.name = stem.starts_with("photo-") ? kind + "-" + stem.substr(6) : kind + "-" + stem;
    cases.push_back(std::move(picture));
  }
  std::sort(cases.begin(), cases.end(),
            [](const PictureCase& a, const PictureCase& b) { return a.bytes < b.bytes; });
  return cases;
}

std::filesystem::path TinyPicture(PictureKind kind) {
  return PictureDir() / (kind == PictureKind::kJpeg ? "tiny.jpg" : "tiny.png");
}

}  // namespace quorvin::bench
