#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "platform/codecs/decode.h"

// One decoder per format. Each takes the whole file and the fit, and returns a picture or the
// reason there is none; DecodePicture fills in the format.
namespace quorvin::codecs {

DecodeResult DecodeBmp(std::span<const std::uint8_t> file, FitSize fit);
DecodeResult DecodeJpeg(std::span<const std::uint8_t> file, FitSize fit);
DecodeResult DecodePng(std::span<const std::uint8_t> file, FitSize fit);
DecodeResult DecodeIco(std::span<const std::uint8_t> file, FitSize fit);  // see decode.h
DecodeResult DecodeGif(std::span<const std::uint8_t> file, FitSize fit);
DecodeResult DecodePcx(std::span<const std::uint8_t> file, FitSize fit);

inline DecodeResult NoPicture(std::string why) {
  DecodeResult result;
  result.reason = std::move(why);
  return result;
}

inline DecodeResult WithPicture(Picture picture) {
  DecodeResult result;
  result.picture = std::move(picture);
  return result;
}

inline constexpr char kTooLargeToHold[] = "picture too large to hold in memory";

}  // namespace quorvin::codecs
