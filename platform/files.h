#pragma once

#include <QString>
#include <cstddef>
#include <span>

#include "core/byte_set.h"

namespace quorvin::platform {

// The largest file read whole; pictures are far smaller.
inline constexpr std::size_t kMaxReadBytes = std::size_t{256} << 20;

// The whole content of a regular file. Anything unreadable reads as empty: a missing file, a
// folder, a device or pipe, a file larger than kMaxReadBytes, a read error.
ByteSet ReadWholeFile(const QString& path);

// Creates or replaces the file with exactly these bytes. The bytes go to a temporary file beside
// the target, which is flushed to disk and renamed over the target, so a failure leaves any old
// file as it was. Returns whether the file now holds the bytes.
bool WriteWholeFile(const QString& path, std::span<const std::uint8_t> bytes);

}  // namespace quorvin::platform
