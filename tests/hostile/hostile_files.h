#pragma once

// The hostile files of the workflow tests, made on the spot.
#include <QString>
#include <cstdint>

#include "core/byte_set.h"

namespace quorvin::hostile {

// A 160x120 photo-like JPEG cut to `keep` bytes.
ByteSet TruncatedJpeg(std::size_t keep);
std::size_t WholeJpegSize();

// A well-formed PNG header for width x height RGBA with valid CRCs, then a small IDAT that
// inflates to several megabytes of zeros, then IEND.
ByteSet PngWithHeader(std::uint32_t width, std::uint32_t height);

// A 64x64 8-bit BMP whose header says it uses 2 palette colours while its pixels use indices up
// to 255.
ByteSet BmpIndicesPastPalette();

// Icons whose single directory entry, or whose directory, points outside the file.
ByteSet IcoImageOffsetPastEnd();
ByteSet IcoImageRunningPastEnd();
ByteSet IcoDirectoryLongerThanFile();
// An icon whose one image is an 8192x8192 PNG of a few KB: no real icon is larger than 256x256.
ByteSet IcoWithHugePngImage();

// Writes `size` bytes of seeded noise to `path` in blocks, without holding the file in memory.
// The first four bytes are "RAND", so that no picture format can recognise it by chance.
bool WriteNoiseFile(const QString& path, std::int64_t size);

// A good picture: a dark square on white, as a 24-bit BMP.
ByteSet SquareOnWhiteBmp();

}  // namespace quorvin::hostile
