#pragma once

#include <cstdint>
#include <optional>

namespace quorvin::hostile {

// How much the resident memory of this process rose at its peak since Start(): the kernel's high
// water mark is reset to the current size at the start and read at the end. Nothing when the
// kernel does not allow the reset (then no honest figure exists).
class PeakMemory {
 public:
  void Start();
  std::optional<std::int64_t> GrowthBytes() const;

 private:
  bool reset_ = false;
  std::int64_t startBytes_ = 0;
};

// True in a build with AddressSanitizer, whose shadow memory and quarantine make resident sizes
// say nothing about the program's own use.
constexpr bool kUnderAddressSanitizer =
#if defined(__SANITIZE_ADDRESS__)
    true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    true;
#else
    false;
#endif
#else
    false;
#endif

}  // namespace quorvin::hostile
