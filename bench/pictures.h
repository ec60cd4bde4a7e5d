#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace quorvin::bench {

enum class PictureKind { kJpeg, kPng };

// One benchmark picture: "photo-24mp.jpg" is named "jpeg-24mp" in the benchmark names.
struct PictureCase {
  std::string name;
  std::filesystem::path path;
  PictureKind kind = PictureKind::kJpeg;
  std::uintmax_t bytes = 0;
};

// The folder the pictures were drawn into: $QUORVIN_BENCH_PICTURES, else the build's own.
std::filesystem::path PictureDir();

// The photos and the logo found there, smallest file first. Empty when none were drawn.
std::vector<PictureCase> ListPictures();

// Tiny picture of the same kind, used to warm up and as a baseline.
std::filesystem::path TinyPicture(PictureKind kind);

}  // namespace quorvin::bench
