// One decoder on arbitrary bytes, called directly (without the sniffer in front), first with a
// small fit taken from the input and then, for small pictures, at full size. Which decoder is
// chosen at build time: QUORVIN_FUZZ_DECODER names it, and QUORVIN_FUZZ_ICON marks the icon
// decoder, which takes no fit.
#include <cstdint>

#include "fuzz/fuzz_checks.h"
#include "platform/codecs/formats.h"

namespace {

using quorvin::codecs::DecodeResult;
using quorvin::codecs::FitSize;

DecodeResult Decode(std::span<const std::uint8_t> bytes, [[maybe_unused]] FitSize fit) {
#ifdef QUORVIN_FUZZ_ICON
  return quorvin::codecs::QUORVIN_FUZZ_DECODER(bytes);
#else
  return quorvin::codecs::QUORVIN_FUZZ_DECODER(bytes, fit);
#endif
}

#ifdef QUORVIN_FUZZ_ICON
constexpr bool kReduces = false;
#else
constexpr bool kReduces = true;
#endif

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  namespace fuzz = quorvin::fuzz;
  const std::span<const std::uint8_t> bytes(data, size);
  const FitSize fit = fuzz::FitFromInput(bytes);
  const DecodeResult fitted = Decode(bytes, fit);
  fuzz::CheckPicture(fitted, fit, kReduces);
  if (kReduces && fuzz::SmallEnoughForFullSize(fitted)) {
    const DecodeResult full = Decode(bytes, FitSize{});
    fuzz::CheckPicture(full, FitSize{}, kReduces);
    if (!full.picture) fuzz::Broken("decodes with a fit but not at full size");
  }
  return 0;
}
