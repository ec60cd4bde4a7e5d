// The third-party corpora (../shared/corpus): invalid files are refused, no file breaks the
// decoder (run under AddressSanitizer too), and valid files decode to the pixels an independent
// decoder (Pillow) gives. Skipped when the corpus is absent.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <sstream>

#include "platform/codecs/decode.h"
#include "platform/codecs/picture_sink.h"
#include "tests/codecs/corpus_rules.h"
#include "tests/codecs/fixtures.h"

namespace quorvin::codecs::testing {
namespace {
namespace fs = std::filesystem;

const fs::path kCorpus = QUORVIN_CORPUS_DIR;
const FitSize kIconFit{48, 48};

ByteSet ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  ByteSet bytes(in ? static_cast<std::size_t>(in.tellg()) : 0);
  in.seekg(0);
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return bytes;
}

class CorpusTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (fs::is_directory(kCorpus)) cases_ = ClassifyCorpus(kCorpus);
  }
  void SetUp() override {
    if (!fs::is_directory(kCorpus)) GTEST_SKIP() << "no corpus at " << kCorpus;
  }
  static std::vector<CorpusCase> cases_;
};
std::vector<CorpusCase> CorpusTest::cases_;

// What holds for every picture, whatever the file.
void ExpectWellFormed(const DecodeResult& r, FitSize fit, const std::string& file) {
  if (!r.picture) {
    EXPECT_FALSE(r.reason.empty()) << file;
    return;
  }
  const Picture& p = *r.picture;
  ASSERT_GT(p.width, 0) << file;
  ASSERT_GT(p.height, 0) << file;
  ASSERT_EQ(p.bgra.size(), static_cast<std::size_t>(p.width) * p.height * 4) << file;
  const bool icon = r.format == PictureFormat::kIco || r.format == PictureFormat::kCur;
  if (!icon && fit.width > 0) {
    EXPECT_EQ(p.width, std::min(p.sourceWidth, fit.width)) << file;
    EXPECT_EQ(p.height, std::min(p.sourceHeight, fit.height)) << file;
  } else if (!icon) {
    EXPECT_EQ(p.width, p.sourceWidth) << file;
    EXPECT_EQ(p.height, p.sourceHeight) << file;
  }
  if (p.alpha == AlphaMeaning::kOpaque) {
    for (std::size_t i = 3; i < p.bgra.size(); i += 4) {
      if (p.bgra[i] != 255) {
        ADD_FAILURE() << file << ": opaque picture with alpha " << int{p.bgra[i]};
        break;
      }
    }
  }
}

TEST_F(CorpusTest, InvalidFilesAreRefusedAndNoFileBreaksTheDecoder) {
  int decoded = 0;
  for (const CorpusCase& c : cases_) {
    if (c.verdict == Verdict::kSkip) continue;
    const ByteSet bytes = ReadFile(kCorpus / c.file);
    for (FitSize fit : {FitSize{}, kIconFit}) {
      const DecodeResult r = DecodePicture(bytes, fit);
      ExpectWellFormed(r, fit, c.file);
      if (c.verdict == Verdict::kRefuse) {
        EXPECT_FALSE(r.picture) << c.file << ": " << Describe(r);
      }
      decoded += r.picture ? 1 : 0;
    }
  }
  std::cout << decoded << " pictures decoded\n";
  EXPECT_GT(decoded, 500);  // the rules found the corpus
}

// Runs the reference script once over every file to compare; returns NAME -> (width, height) or
// nothing when the reference failed, and leaves the pixels in `dir`.
std::map<std::string, std::optional<std::pair<int, int>>> RunReference(
    const std::vector<const CorpusCase*>& cases, const fs::path& dir) {
  {
    std::ofstream manifest(dir / "manifest.tsv");
    for (std::size_t i = 0; i < cases.size(); ++i) {
      const Reference& ref = cases[i]->reference;
      manifest << i << '\t' << ref.kind << '\t' << ref.path.string();
      for (const std::string& a : ref.args) manifest << '\t' << a;
      manifest << '\n';
    }
  }
  const std::string command = "/usr/bin/python3 '" QUORVIN_SOURCE_DIR
                              "/tests/codecs/reference_decode.py' '" +
                              (dir / "manifest.tsv").string() + "' '" + dir.string() + "'";
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
  std::map<std::string, std::optional<std::pair<int, int>>> results;
  std::ifstream in(dir / "results.tsv");
  for (std::string line; std::getline(in, line);) {
    std::stringstream ss(line);
    std::string name, w, h;
    std::getline(ss, name, '\t');
    std::getline(ss, w, '\t');
    std::getline(ss, h, '\t');
    results[name] =
        w == "FAIL" ? std::nullopt : std::optional(std::pair(std::stoi(w), std::stoi(h)));
    if (w == "FAIL")
      ADD_FAILURE() << "reference failed on " << cases[std::stoi(name)]->file << ": " << h;
  }
  return results;
}

// Each channel within [lo - tolerance, hi + tolerance]; colour only where the reference shows it.
std::string Mismatch(const Picture& p, const ByteSet& lo, const ByteSet& hi, const CorpusCase& c) {
  int count = 0;
  std::string first;
  const bool blend = p.alpha == AlphaMeaning::kBlend;
  for (std::size_t i = 0; i < lo.size(); i += 4) {
    const int refAlpha = lo[i + 3];
    if (c.opaqueOnly && refAlpha != 255) continue;
    const bool checkColour = !blend || hi[i + 3] > 0;
    bool bad = false;
    for (int ch = 0; ch < 4; ++ch) {
      if (ch < 3 && !checkColour) continue;
      if (ch == 3 && (c.opaqueOnly || !blend)) continue;
      // Ours is BGRA, the reference RGBA.
      const int ours = p.bgra[i + (ch < 3 ? 2 - ch : 3)];
      if (ours < lo[i + ch] - c.tolerance || ours > hi[i + ch] + c.tolerance) bad = true;
    }
    if (!bad) continue;
    if (count++ == 0) {
      const std::size_t px = i / 4;
      std::ostringstream os;
      os << "pixel (" << px % p.width << "," << px / p.width << ") ours BGRA " << int{p.bgra[i]}
         << "," << int{p.bgra[i + 1]} << "," << int{p.bgra[i + 2]} << "," << int{p.bgra[i + 3]}
         << " reference RGBA " << int{lo[i]} << "," << int{lo[i + 1]} << "," << int{lo[i + 2]}
         << "," << int{lo[i + 3]};
      first = os.str();
    }
  }
  return count == 0 ? "" : std::to_string(count) + " pixels differ, first " + first;
}

bool ReferenceDecoderAvailable() {
  return std::system("/usr/bin/python3 -c 'import PIL' >/dev/null 2>&1") == 0;
}

TEST_F(CorpusTest, ValidFilesMatchTheReferenceDecoder) {
  if (!ReferenceDecoderAvailable()) GTEST_SKIP() << "no /usr/bin/python3 with Pillow";
  std::vector<const CorpusCase*> compared;
  for (const CorpusCase& c : cases_) {
    if (c.verdict == Verdict::kCompare) compared.push_back(&c);
  }
  const fs::path dir = fs::temp_directory_path() / ("quorvin-corpus-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const auto results = RunReference(compared, dir);
  int matched = 0;
  for (std::size_t i = 0; i < compared.size(); ++i) {
    const CorpusCase& c = *compared[i];
    const auto it = results.find(std::to_string(i));
    if (it == results.end() || !it->second) continue;
    const auto [w, h] = *it->second;
    const ByteSet lo = ReadFile(dir / (it->first + ".lo"));
    const ByteSet hi = ReadFile(dir / (it->first + ".hi"));
    const DecodeResult r = DecodePicture(ReadFile(kCorpus / c.file));
    if (!r.picture) {
      // A reference with nothing to compare (a GIF whose first frame is all transparent) may
      // just as well be no picture.
      bool anythingShown = false;
      for (std::size_t p = 3; p < lo.size(); p += 4) anythingShown |= lo[p] == 255 || !c.opaqueOnly;
      if (anythingShown) ADD_FAILURE() << c.file << ": " << Describe(r);
      continue;
    }
    if (r.picture->width != w || r.picture->height != h) {
      ADD_FAILURE() << c.file << ": " << Describe(r) << ", reference " << w << "x" << h;
      continue;
    }
    ASSERT_EQ(lo.size(), r.picture->bgra.size()) << c.file;
    const std::string mismatch = Mismatch(*r.picture, lo, hi, c);
    if (mismatch.empty()) {
      ++matched;
    } else {
      ADD_FAILURE() << c.file << ": " << mismatch;
    }
  }
  fs::remove_all(dir);
  std::cout << compared.size() << " files compared, " << matched << " matched the reference\n";
  EXPECT_GT(matched, 300);
}

}  // namespace
}  // namespace quorvin::codecs::testing
