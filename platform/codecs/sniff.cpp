#include <algorithm>
#include <array>

#include "platform/codecs/decode.h"

namespace quorvin::codecs {
namespace {

bool StartsWith(std::span<const std::uint8_t> bytes, std::initializer_list<std::uint8_t> prefix) {
  return bytes.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), bytes.begin());
}

// PCX has no magic number: the maker byte 10, a known version, RLE encoding and a known depth.
bool LooksLikePcx(std::span<const std::uint8_t> b) {
  if (b.size() < 4 || b[0] != 0x0A || b[2] != 1) return false;
  const bool knownVersion = b[1] == 0 || (b[1] >= 2 && b[1] <= 5);
  const bool knownDepth = b[3] == 1 || b[3] == 2 || b[3] == 4 || b[3] == 8;
  return knownVersion && knownDepth;
}

}  // namespace

PictureFormat SniffFormat(std::span<const std::uint8_t> b) {
  if (StartsWith(b, {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A})) return PictureFormat::kPng;
  if (StartsWith(b, {0xFF, 0xD8, 0xFF})) return PictureFormat::kJpeg;
  if (StartsWith(b, {'G', 'I', 'F', '8', '7', 'a'}) ||
      StartsWith(b, {'G', 'I', 'F', '8', '9', 'a'})) {
    return PictureFormat::kGif;
  }
  if (StartsWith(b, {'B', 'M'})) return PictureFormat::kBmp;
  if (StartsWith(b, {0, 0, 1, 0})) return PictureFormat::kIco;
  if (StartsWith(b, {0, 0, 2, 0})) return PictureFormat::kCur;
  if (LooksLikePcx(b)) return PictureFormat::kPcx;
  return PictureFormat::kNone;
}

const char* FormatName(PictureFormat format) {
  switch (format) {
    case PictureFormat::kBmp:
      return "BMP";
    case PictureFormat::kJpeg:
      return "JPEG";
    case PictureFormat::kPng:
      return "PNG";
    case PictureFormat::kIco:
      return "ICO";
    case PictureFormat::kCur:
      return "CUR";
    case PictureFormat::kGif:
      return "GIF";
    case PictureFormat::kPcx:
      return "PCX";
    case PictureFormat::kNone:
      break;
  }
  return "none";
}

}  // namespace quorvin::codecs
