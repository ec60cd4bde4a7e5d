#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace quorvin::codecs {

// No header is trusted: every decoder checks its dimensions against these before it allocates.

// Largest width or height of any picture. GIF and ICO cannot store more, JPEG stops at 65500, and
// a 100000 x 100000 "bomb" header is refused here without touching its data.
inline constexpr int kMaxSide = 65535;

// Largest number of source pixels a picture may have (16384 x 16384). Rows are reduced as they
// arrive, so this bounds decoding time, not memory.
inline constexpr std::int64_t kMaxPixels = std::int64_t{1} << 28;

// Largest number of pixels held in memory at once: the decoded picture itself (a full-size decode
// or an icon entry) or the accumulators of a reduction. 64 Mi pixels are 256 MiB of BGRA.
inline constexpr std::int64_t kMaxHeldPixels = std::int64_t{1} << 26;

// Largest side an ICO/CUR directory entry can state (its byte 0 means 256). Entries up to this
// size are always decoded exactly.
inline constexpr int kLargestIconSide = 256;

// Largest ICO/CUR directory. Real icons have a few dozen entries; 65535 is what the count field
// can say, and a directory that long is not an icon.
inline constexpr int kMaxIcoEntries = 1024;

// Memory libjpeg may use for its whole-image buffers (progressive and multi-scan files keep every
// DCT coefficient). Beyond this it stops with an error instead of allocating.
inline constexpr long kMaxJpegMemory = 512L * 1024 * 1024;

// Progressive JPEG files with more scans than this are hostile: each scan re-reads the whole image.
inline constexpr int kMaxJpegScans = 500;

// a * b, or nothing when the product does not fit.
inline std::optional<std::size_t> CheckedMul(std::size_t a, std::size_t b) {
  std::size_t product = 0;
  if (__builtin_mul_overflow(a, b, &product)) return std::nullopt;
  return product;
}

inline std::optional<std::size_t> CheckedMul(std::size_t a, std::size_t b, std::size_t c) {
  auto ab = CheckedMul(a, b);
  return ab ? CheckedMul(*ab, c) : std::nullopt;
}

// True when a picture of this size may be decoded at all.
inline bool SizeAllowed(std::int64_t width, std::int64_t height) {
  return width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide &&
         width * height <= kMaxPixels;
}

}  // namespace quorvin::codecs
