#pragma once

// What every decoding fuzz target asks of a result, whatever the bytes were. A broken promise
// aborts, which libFuzzer and the replay tests both report as a crash.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>

#include "platform/codecs/decode.h"
#include "platform/codecs/limits.h"

namespace quorvin::fuzz {

// Pictures at most this large in source pixels are decoded a second time at full size. Larger
// ones only through a fit, so that one input stays well inside the time limit under the
// sanitizers.
inline constexpr std::int64_t kFullSizeLimit = 256 * 256;

[[noreturn]] inline void Broken(const char* what) {
  std::fprintf(stderr, "fuzz check failed: %s\n", what);
  std::abort();
}

// A small fit chosen by the input itself (its length and last byte), so that mutations reach both
// the reducing and the exact paths of pictures of a few dozen pixels.
inline codecs::FitSize FitFromInput(std::span<const std::uint8_t> bytes) {
  const std::size_t tail = bytes.empty() ? 0 : bytes.back();
  return {static_cast<int>(1 + (bytes.size() + tail) % 48),
          static_cast<int>(1 + (bytes.size() / 3 + tail / 5) % 48)};
}

// The fit an icon entry is decoded for: entries up to the largest side a directory can state stay
// exact, anything larger is reduced but no side below that.
inline codecs::FitSize IconFit(codecs::FitSize fit) {
  if (fit.width <= 0 || fit.height <= 0) return {};
  return {std::max(fit.width, codecs::kLargestIconSide),
          std::max(fit.height, codecs::kLargestIconSide)};
}

// `fit`: what the picture must have been reduced to (each side larger than it exactly to it).
inline void CheckPicture(const codecs::DecodeResult& result, codecs::FitSize fit) {
  if (!result.picture) {
    if (result.reason.empty()) Broken("no picture and no reason");
    return;
  }
  const codecs::Picture& p = result.picture.value();
  if (p.width < 1 || p.height < 1 || p.sourceWidth < 1 || p.sourceHeight < 1) {
    Broken("empty picture");
  }
  if (p.bgra.size() != static_cast<std::size_t>(p.width) * p.height * 4) {
    Broken("pixel bytes do not match the size");
  }
  const bool fitting = fit.width > 0 && fit.height > 0;
  const int wantWidth = fitting && p.sourceWidth > fit.width ? fit.width : p.sourceWidth;
  const int wantHeight = fitting && p.sourceHeight > fit.height ? fit.height : p.sourceHeight;
  if (p.width != wantWidth || p.height != wantHeight) Broken("size does not follow the fit");
  if (p.alpha == codecs::AlphaMeaning::kOpaque) {
    for (std::size_t i = 3; i < p.bgra.size(); i += 4) {
      if (p.bgra[i] != 255) Broken("opaque picture with a transparent pixel");
    }
  }
}

inline bool SmallEnoughForFullSize(const codecs::DecodeResult& result) {
  return result.picture &&
         std::int64_t{result.picture->sourceWidth} * result.picture->sourceHeight <= kFullSizeLimit;
}

}  // namespace quorvin::fuzz
