#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

// What the hardware and the libraries allow, as the yardsticks for the load benchmarks. Each does
// the least work its tool needs and keeps nothing but a checksum.
namespace quorvin::bench {

// The whole file into a fresh buffer with plain read(2) calls. Empty on any failure.
std::vector<std::uint8_t> ReadFilePlain(const std::filesystem::path& file);

// libjpeg-turbo decoding at scale M/8 with djpeg's defaults (accurate integer IDCT, smooth
// upsampling, RGB rows), every row read and dropped: what `djpeg -scale M/8` does minus writing
// its output. M is 1, or with a cover size the smallest M whose result covers it, as the picture
// box asks for. Returns a checksum of the rows, or 0 on failure.
struct JpegCover {
  int width = 0;  // 0: always 1/8
  int height = 0;
};
std::uint64_t DecodeJpegScaled(std::span<const std::uint8_t> file, JpegCover cover = {});

// Inflates the concatenated IDAT data of a PNG into a small reused buffer: no CRC checks, no
// unfiltering, no conversion. Returns the number of bytes inflated, 0 on failure.
std::uint64_t InflatePngData(std::span<const std::uint8_t> file);

// libpng's simplified reader into one full-size buffer in the file's own layout (RGB for RGB
// files): inflate, CRC checks and unfiltering. Returns a checksum, 0 on failure.
std::uint64_t DecodePngFull(std::span<const std::uint8_t> file);

}  // namespace quorvin::bench
