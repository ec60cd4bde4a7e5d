#pragma once

// What the corpus tests expect of each file in the third-party corpora: the treatment each suite's
// documentation gives, as a table of rules over paths relative to the corpus folder.
#include <filesystem>
#include <string>
#include <vector>

namespace quorvin::codecs::testing {

enum class Verdict {
  kSkip,     // not an input: a reference rendering, a licence, an expectation file
  kCompare,  // valid: decodes to the reference decoder's pixels
  kRefuse,   // invalid: no picture
  kSurvive,  // anything but a crash, a hang or a huge allocation
};

// Where the reference pixels come from; `kind` and `args` are the reference script's.
struct Reference {
  std::string kind;  // decode, image, ico, raw-rgb, raw-rgba
  std::filesystem::path path;
  std::vector<std::string> args;
};

struct CorpusCase {
  std::string file;  // relative to the corpus folder
  Verdict verdict = Verdict::kSurvive;
  Reference reference;
  int tolerance = 0;        // per channel, for lossy decoders and rounding
  bool opaqueOnly = false;  // compare only where the reference is opaque (GIF transparency)
};

std::vector<CorpusCase> ClassifyCorpus(const std::filesystem::path& root);

}  // namespace quorvin::codecs::testing
