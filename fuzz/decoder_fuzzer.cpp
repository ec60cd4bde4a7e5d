// One decoder on arbitrary bytes, called directly (without the sniffer in front), first with a
// small fit taken from the input and then, for small pictures, at full size. Which decoder is
// chosen at build time: QUORVIN_FUZZ_DECODER names it, and QUORVIN_FUZZ_ICON marks the icon
// decoder, which keeps real icon entries exact whatever the fit.
#include <cstdint>

#include "fuzz/fuzz_checks.h"
#include "platform/codecs/formats.h"

namespace {

using quorvin::codecs::DecodeResult;
using quorvin::codecs::FitSize;

// What the result must have been reduced to for this fit.
FitSize Expected(FitSize fit) {
#ifdef QUORVIN_FUZZ_ICON
  return quorvin::fuzz::IconFit(fit);
#else
  return fit;
#endif
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  namespace codecs = quorvin::codecs;
  namespace fuzz = quorvin::fuzz;
  const std::span<const std::uint8_t> bytes(data, size);
  const FitSize fit = fuzz::FitFromInput(bytes);
  const DecodeResult fitted = codecs::QUORVIN_FUZZ_DECODER(bytes, fit);
  fuzz::CheckPicture(fitted, Expected(fit));
  if (fuzz::SmallEnoughForFullSize(fitted)) {
    const DecodeResult full = codecs::QUORVIN_FUZZ_DECODER(bytes, FitSize{});
    fuzz::CheckPicture(full, FitSize{});
    if (!full.picture) fuzz::Broken("decodes with a fit but not at full size");
  }
  return 0;
}
