// The entry point the picture box calls: the content sniffer, then whichever decoder it names,
// with a small fit taken from the input and, for small pictures, at full size.
#include <cstdint>
#include <cstring>

#include "fuzz/fuzz_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  namespace codecs = quorvin::codecs;
  namespace fuzz = quorvin::fuzz;
  const std::span<const std::uint8_t> bytes(data, size);
  const codecs::PictureFormat format = codecs::SniffFormat(bytes);
  if (codecs::FormatName(format) == nullptr) fuzz::Broken("format without a name");
  const bool icon = format == codecs::PictureFormat::kIco || format == codecs::PictureFormat::kCur;

  const codecs::FitSize fit = fuzz::FitFromInput(bytes);
  const codecs::DecodeResult fitted = codecs::DecodePicture(bytes, fit);
  if (fitted.format != format) fuzz::Broken("result names another format than the sniffer");
  if (format == codecs::PictureFormat::kNone && fitted.picture) fuzz::Broken("picture from junk");
  fuzz::CheckPicture(fitted, icon ? fuzz::IconFit(fit) : fit);
  if (fuzz::SmallEnoughForFullSize(fitted)) {
    const codecs::DecodeResult full = codecs::DecodePicture(bytes);
    fuzz::CheckPicture(full, codecs::FitSize{});
  }
  return 0;
}
