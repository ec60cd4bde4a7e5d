#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace quorvin::codecs {

// Little-endian reads over a byte span that can never go past its end. A read that runs out
// returns 0 and marks the reader failed; the mark stays, so a header can be read field by field
// and checked once with ok().
class ByteReader {
 public:
  explicit ByteReader(std::span<const std::uint8_t> bytes, std::size_t pos = 0)
      : bytes_(bytes), pos_(pos), ok_(pos <= bytes.size()) {
    if (!ok_) pos_ = bytes_.size();
  }

  std::uint8_t U8() { return Has(1) ? bytes_[pos_++] : Fail(); }

  std::uint16_t U16le() {
    if (!Has(2)) return Fail();
    std::uint16_t v = bytes_[pos_] | (bytes_[pos_ + 1] << 8);
    pos_ += 2;
    return v;
  }

  std::uint32_t U32le() {
    if (!Has(4)) return Fail();
    std::uint32_t v = std::uint32_t{bytes_[pos_]} | (std::uint32_t{bytes_[pos_ + 1]} << 8) |
                      (std::uint32_t{bytes_[pos_ + 2]} << 16) |
                      (std::uint32_t{bytes_[pos_ + 3]} << 24);
    pos_ += 4;
    return v;
  }

  std::int32_t I32le() { return static_cast<std::int32_t>(U32le()); }

  // The next n bytes, or an empty span (and failure) when fewer are left.
  std::span<const std::uint8_t> Bytes(std::size_t n) {
    if (!Has(n)) {
      Fail();
      return {};
    }
    auto out = bytes_.subspan(pos_, n);
    pos_ += n;
    return out;
  }

  void Skip(std::size_t n) {
    if (Has(n)) {
      pos_ += n;
    } else {
      Fail();
    }
  }

  void Seek(std::size_t pos) {
    if (pos <= bytes_.size()) {
      pos_ = pos;
    } else {
      Fail();
    }
  }

  bool ok() const { return ok_; }
  std::size_t pos() const { return pos_; }
  std::size_t remaining() const { return bytes_.size() - pos_; }

 private:
  bool Has(std::size_t n) const { return ok_ && n <= bytes_.size() - pos_; }
  std::uint8_t Fail() {
    ok_ = false;
    pos_ = bytes_.size();
    return 0;
  }

  std::span<const std::uint8_t> bytes_;
  std::size_t pos_;
  bool ok_;
};

}  // namespace quorvin::codecs
