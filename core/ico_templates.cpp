#include "core/ico_templates.h"

namespace quorvin {
namespace {

// Little-endian throughout. The bytes-in-resource value is 40 + N*N*4 + mask length and the
// image size counts the colour pixels only; both hold for a complete N x N buffer.
constexpr std::array<std::uint8_t, kIcoHeaderSize> kHeader48 = {
    0x00, 0x00,              // ICONDIR reserved
    0x01, 0x00,              // type: icon
    0x01, 0x00,              // image count
    0x30,                    // entry width 48
    0x30,                    // entry height 48
    0x00,                    // colour count (true colour)
    0x00,                    // reserved
    0x01, 0x00,              // planes
    0x20, 0x00,              // bits per pixel 32
    0xA8, 0x25, 0x00, 0x00,  // bytes in resource 9640
    0x16, 0x00, 0x00, 0x00,  // image offset 22
    0x28, 0x00, 0x00, 0x00,  // BITMAPINFOHEADER size 40
    0x30, 0x00, 0x00, 0x00,  // width 48
    0x60, 0x00, 0x00, 0x00,  // height 96: colour rows plus mask rows
    0x01, 0x00,              // planes
    0x20, 0x00,              // bits per pixel 32
    0x00, 0x00, 0x00, 0x00,  // compression BI_RGB
    0x00, 0x24, 0x00, 0x00,  // image size 9216
    0x00, 0x00, 0x00, 0x00,  // horizontal pixels per metre
    0x00, 0x00, 0x00, 0x00,  // vertical pixels per metre
    0x00, 0x00, 0x00, 0x00,  // colours used
    0x00, 0x00, 0x00, 0x00,  // colours important
};

constexpr std::array<std::uint8_t, kIcoHeaderSize> kHeader16 = {
    0x00, 0x00,              // ICONDIR reserved
    0x01, 0x00,              // type: icon
    0x01, 0x00,              // image count
    0x10,                    // entry width 16
    0x10,                    // entry height 16
    0x00,                    // colour count (true colour)
    0x00,                    // reserved
    0x01, 0x00,              // planes
    0x20, 0x00,              // bits per pixel 32
    0x68, 0x04, 0x00, 0x00,  // bytes in resource 1128
    0x16, 0x00, 0x00, 0x00,  // image offset 22
    0x28, 0x00, 0x00, 0x00,  // BITMAPINFOHEADER size 40
    0x10, 0x00, 0x00, 0x00,  // width 16
    0x20, 0x00, 0x00, 0x00,  // height 32: colour rows plus mask rows
    0x01, 0x00,              // planes
    0x20, 0x00,              // bits per pixel 32
    0x00, 0x00, 0x00, 0x00,  // compression BI_RGB
    0x00, 0x04, 0x00, 0x00,  // image size 1024
    0x00, 0x00, 0x00, 0x00,  // horizontal pixels per metre
    0x00, 0x00, 0x00, 0x00,  // vertical pixels per metre
    0x00, 0x00, 0x00, 0x00,  // colours used
    0x00, 0x00, 0x00, 0x00,  // colours important
};

// Mask rows are padded to 32 bits: 48 bits take 8 bytes a row, 16 bits take 4. All zero, so the
// transparency comes from the alpha bytes alone.
constexpr std::array<std::uint8_t, 48 * 8> kMask48{};
constexpr std::array<std::uint8_t, 16 * 4> kMask16{};

constexpr IconTemplates kTemplates[] = {
    {48, kHeader48, kMask48},
    {16, kHeader16, kMask16},
};

}  // namespace

const IconTemplates* FindIconTemplates(int size) {
  for (const IconTemplates& t : kTemplates) {
    if (t.size == size) return &t;
  }
  return nullptr;
}

}  // namespace quorvin
