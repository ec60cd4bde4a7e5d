#include "platform/codecs/decode.h"

#include <new>

#include "platform/codecs/formats.h"

namespace quorvin::codecs {

DecodeResult DecodePicture(std::span<const std::uint8_t> bytes, FitSize fit) {
  const PictureFormat format = SniffFormat(bytes);
  DecodeResult result;
  try {
    switch (format) {
      case PictureFormat::kBmp:
        result = DecodeBmp(bytes, fit);
        break;
      case PictureFormat::kJpeg:
        result = DecodeJpeg(bytes, fit);
        break;
      case PictureFormat::kPng:
        result = DecodePng(bytes, fit);
        break;
      case PictureFormat::kIco:
      case PictureFormat::kCur:
        result = DecodeIco(bytes, fit);
        break;
      case PictureFormat::kGif:
        result = DecodeGif(bytes, fit);
        break;
      case PictureFormat::kPcx:
        result = DecodePcx(bytes, fit);
        break;
      case PictureFormat::kNone:
        result = NoPicture("not a picture format this program reads");
    }
  } catch (const std::bad_alloc&) {
    result = NoPicture("out of memory");
  }
  result.format = format;
  if (!result.picture && result.reason.empty()) result.reason = "no picture";
  return result;
}

}  // namespace quorvin::codecs
