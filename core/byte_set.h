#pragma once

#include <cstdint>
#include <vector>

namespace quorvin {

// A counted byte string, possibly empty: image files, snapshots, the icon templates, the pixel
// data and the assembled icon. Whoever holds a ByteSet owns its bytes; assigning a new value
// releases the old one.
using ByteSet = std::vector<std::uint8_t>;

}  // namespace quorvin
