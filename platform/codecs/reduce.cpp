// Area-averaging reduction, fed one source row at a time.
//
// Geometry: along one axis with S source pixels and N output pixels (N <= S), give every source
// pixel a length of N units and every output pixel a length of S units; both then tile [0, S*N).
// An output pixel is the average of the source pixels under it, each weighted by the units it
// shares with it. A source pixel is never longer than an output pixel, so it touches at most two.
#include <algorithm>
#include <cstring>
#include <new>

#include "platform/codecs/limits.h"
#include "platform/codecs/picture_sink.h"

namespace quorvin::codecs {

PixelSize ReducedSize(int width, int height, FitSize fit) {
  if (fit.width <= 0 || fit.height <= 0) return {width, height};
  return {std::min(width, fit.width), std::min(height, fit.height)};
}

namespace {

struct Layout {
  int step, r, g, b, a;  // bytes per pixel and each channel's offset; a < 0: no alpha byte
};

Layout LayoutOf(PixelLayout layout) {
  switch (layout) {
    case PixelLayout::kRgba:
      return {4, 0, 1, 2, 3};
    case PixelLayout::kRgb:
      return {3, 0, 1, 2, -1};
    case PixelLayout::kBgra:
      break;
  }
  return {4, 2, 1, 0, 3};
}

}  // namespace

std::optional<PictureSink> PictureSink::Create(PixelSize source, PixelSize out, AlphaMeaning alpha,
                                               RowOrder order, PixelLayout layout) {
  if (!SizeAllowed(source.width, source.height) || out.width < 1 || out.height < 1 ||
      out.width > source.width || out.height > source.height) {
    return std::nullopt;
  }
  try {
    return Build(source, out, alpha, order, layout);
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
}

std::optional<PictureSink> PictureSink::Build(PixelSize source, PixelSize out, AlphaMeaning alpha,
                                              RowOrder order, PixelLayout layout) {
  PictureSink sink;
  sink.source_ = source;
  sink.out_ = out;
  sink.layout_ = layout;
  sink.opaque_ = alpha == AlphaMeaning::kOpaque;
  sink.direct_ = out == source;
  sink.writesInPlace_ = sink.direct_ && layout == PixelLayout::kBgra;
  sink.anyOrder_ = order == RowOrder::kAnyOrder;
  sink.channels_ = sink.opaque_ ? 3 : 4;

  // Both sides are at most kMaxSide (SizeAllowed above), but every size is still checked.
  const std::size_t accRows = sink.direct_ ? 0 : (sink.anyOrder_ ? out.height : 2);
  const auto outBytes = CheckedMul(out.width, out.height, 4);
  const auto accFloats = CheckedMul(accRows, out.width, sink.channels_);
  const auto rowBytes = CheckedMul(source.width, 4);
  // A float of accumulator weighs as much as a BGRA pixel.
  if (!outBytes || !accFloats || !rowBytes ||
      *outBytes / 4 + *accFloats > static_cast<std::size_t>(kMaxHeldPixels)) {
    return std::nullopt;
  }

  // An opaque picture's missing rows are black, a blended one's transparent.
  const std::uint8_t fill[4] = {0, 0, 0, static_cast<std::uint8_t>(sink.opaque_ ? 255 : 0)};
  sink.bgra_.resize(*outBytes);
  for (std::size_t i = 0; i < sink.bgra_.size(); i += 4) std::memcpy(&sink.bgra_[i], fill, 4);
  if (!sink.writesInPlace_) sink.scratch_.resize(*rowBytes);
  if (sink.direct_) return sink;

  const std::int64_t s = source.width;
  const std::int64_t n = out.width;
  sink.columns_.resize(out.width);
  for (int o = 0; o < out.width; ++o) {
    const std::int64_t begin = o * s;
    const std::int64_t end = (o + 1) * s;
    Span& span = sink.columns_[o];
    span.first = static_cast<int>(begin / n);
    span.last = static_cast<int>((end - 1) / n);
    span.firstWeight = static_cast<std::uint32_t>(std::min((span.first + 1) * n, end) - begin);
    span.lastWeight = span.last > span.first ? static_cast<std::uint32_t>(end - span.last * n) : 0;
  }
  sink.hrow_.assign(static_cast<std::size_t>(out.width) * sink.channels_, 0.0);
  sink.acc_.assign(*accFloats, 0.0f);
  return sink;
}

bool PictureSink::Accepts(int y) {
  if (y < 0 || y >= source_.height) return false;
  if (!direct_ && !anyOrder_ && y <= lastRow_) return false;  // top-down rows only go down
  lastRow_ = y;
  ++rowsCommitted_;
  return true;
}

void PictureSink::Commit(int y) {
  if (!writesInPlace_) {
    Commit(y, scratch_.data());
  } else if (Accepts(y)) {
    repeatable_ = y;
  }
}

void PictureSink::Commit(int y, const std::uint8_t* row) {
  if (!Accepts(y)) return;
  repeatable_ = y;
  if (direct_) {
    CopyToBgra(row, source_.width, 1, &bgra_[RowOffset(y)]);
    return;
  }
  ReduceRowDense(row);
  AddToRows(y);
}

void PictureSink::CommitRepeat(int y) {
  const int original = repeatable_;
  if (original < 0 || !Accepts(y)) return;
  if (direct_) {
    if (y != original) {
      std::memcpy(&bgra_[RowOffset(y)], &bgra_[RowOffset(original)],
                  static_cast<std::size_t>(source_.width) * 4);
    }
    return;
  }
  AddToRows(y);  // hrow_ still holds the original reduced across
}

void PictureSink::CommitSparse(int y, int x0, int dx, int count, const std::uint8_t* pixels) {
  if (x0 < 0 || dx < 1 || count < 0 || x0 >= source_.width ||
      count > (source_.width - x0 + dx - 1) / dx || !Accepts(y)) {
    return;
  }
  repeatable_ = -1;
  if (direct_) {
    CopyToBgra(pixels, count, dx, &bgra_[RowOffset(y) + static_cast<std::size_t>(x0) * 4]);
    return;
  }
  ReduceRowSparse(pixels, x0, dx, count);
  AddToRows(y);
}

// `count` pixels to every dx-th BGRA pixel of `to`.
void PictureSink::CopyToBgra(const std::uint8_t* from, int count, int dx, std::uint8_t* to) const {
  if (layout_ == PixelLayout::kBgra && dx == 1) {
    std::memcpy(to, from, static_cast<std::size_t>(count) * 4);
    return;
  }
  const Layout l = LayoutOf(layout_);
  for (int i = 0; i < count; ++i, from += l.step, to += 4 * dx) {
    to[0] = from[l.b];
    to[1] = from[l.g];
    to[2] = from[l.r];
    to[3] = l.a < 0 ? 255 : from[l.a];
  }
}

void PictureSink::ReduceRowDense(const std::uint8_t* row) {
  switch (layout_) {
    case PixelLayout::kBgra:
      return ReduceRowDense<4, 2, 1, 0, 3>(row);
    case PixelLayout::kRgba:
      return ReduceRowDense<4, 0, 1, 2, 3>(row);
    case PixelLayout::kRgb:
      return ReduceRowDense<3, 0, 1, 2, -1>(row);
  }
}

// Horizontal pass for one row, written out per layout so that the inner loop is plain adds.
// The sums stay exact in 32 bits: a run holds fewer than 65535 pixels of at most 255 * 255.
template <int kStep, int kR, int kG, int kB, int kA>
void PictureSink::ReduceRowDense(const std::uint8_t* p) {
  const double units = out_.width;
  const double norm = 1.0 / source_.width;
  for (int o = 0; o < out_.width; ++o) {
    const Span& s = columns_[o];
    const std::uint8_t* first = p + static_cast<std::size_t>(s.first) * kStep;
    const std::uint8_t* last = p + static_cast<std::size_t>(s.last) * kStep;
    double* h = &hrow_[static_cast<std::size_t>(o) * channels_];
    const double fw = s.firstWeight;
    const double lw = s.lastWeight;
    if (opaque_ || kA < 0) {
      std::uint32_t b = 0, g = 0, r = 0;
      for (const std::uint8_t* q = first + kStep; q < last; q += kStep) {
        b += q[kB];
        g += q[kG];
        r += q[kR];
      }
      h[0] = (first[kB] * fw + b * units + last[kB] * lw) * norm;
      h[1] = (first[kG] * fw + g * units + last[kG] * lw) * norm;
      h[2] = (first[kR] * fw + r * units + last[kR] * lw) * norm;
      if (!opaque_) {  // no alpha byte: fully opaque, premultiplied like the rest
        for (int c = 0; c < 3; ++c) h[c] *= 255.0;
        h[3] = 255.0;
      }
    } else {
      // Premultiplied, so that the colour of transparent pixels does not bleed into the average.
      constexpr int kAlpha = kA < 0 ? 0 : kA;
      std::uint32_t b = 0, g = 0, r = 0, a = 0;
      for (const std::uint8_t* q = first + kStep; q < last; q += kStep) {
        b += q[kB] * q[kAlpha];
        g += q[kG] * q[kAlpha];
        r += q[kR] * q[kAlpha];
        a += q[kAlpha];
      }
      const double fa = first[kAlpha], la = last[kAlpha];
      h[0] = (first[kB] * fa * fw + b * units + last[kB] * la * lw) * norm;
      h[1] = (first[kG] * fa * fw + g * units + last[kG] * la * lw) * norm;
      h[2] = (first[kR] * fa * fw + r * units + last[kR] * la * lw) * norm;
      h[3] = (fa * fw + a * units + la * lw) * norm;
    }
  }
}

void PictureSink::ReduceRowSparse(const std::uint8_t* p, int x0, int dx, int count) {
  const std::int64_t s = source_.width;
  const std::int64_t n = out_.width;
  if (sparseColumn_.empty()) {
    sparseColumn_.resize(source_.width);
    sparseWeight_.resize(source_.width);
    for (std::int64_t x = 0; x < s; ++x) {
      const std::int64_t o = (x * n) / s;
      sparseColumn_[x] = static_cast<int>(o);
      sparseWeight_[x] = static_cast<std::uint32_t>(std::min((o + 1) * s, (x + 1) * n) - x * n);
    }
  }
  std::fill(hrow_.begin(), hrow_.end(), 0.0);
  const Layout l = LayoutOf(layout_);
  const double norm = 1.0 / source_.width;
  for (int i = 0; i < count; ++i) {
    const int x = x0 + i * dx;
    const std::uint8_t* q = p + static_cast<std::size_t>(i) * l.step;
    const double alpha = l.a < 0 ? 255.0 : q[l.a];
    double v[4] = {double(q[l.b]), double(q[l.g]), double(q[l.r]), alpha};
    if (!opaque_) {
      for (int c = 0; c < 3; ++c) v[c] *= alpha;
    }
    const double w = sparseWeight_[x] * norm;
    const double rest = (n - sparseWeight_[x]) * norm;
    double* h = &hrow_[static_cast<std::size_t>(sparseColumn_[x]) * channels_];
    for (int c = 0; c < channels_; ++c) h[c] += v[c] * w;
    if (rest > 0) {
      for (int c = 0; c < channels_; ++c) h[channels_ + c] += v[c] * rest;
    }
  }
}

float* PictureSink::AccRow(int r) {
  const int slot = anyOrder_ ? r : (r & 1);
  return &acc_[static_cast<std::size_t>(slot) * out_.width * channels_];
}

void PictureSink::AddToRows(int y) {
  const std::int64_t s = source_.height;
  const std::int64_t m = out_.height;
  const std::int64_t r0 = (y * m) / s;
  const std::int64_t part = std::min((r0 + 1) * s, (y + 1) * m) - y * m;
  if (!anyOrder_) EmitRowsBefore(static_cast<int>(r0));
  const std::size_t values = static_cast<std::size_t>(out_.width) * channels_;
  const double shares[2] = {double(part) / s, double(m - part) / s};
  for (int k = 0; k < 2 && shares[k] > 0; ++k) {
    float* acc = AccRow(static_cast<int>(r0) + k);
    for (std::size_t i = 0; i < values; ++i) acc[i] += static_cast<float>(hrow_[i] * shares[k]);
  }
}

void PictureSink::EmitRowsBefore(int r) {
  for (; nextEmit_ < r && nextEmit_ < out_.height; ++nextEmit_) EmitRow(nextEmit_);
}

static std::uint8_t Round(float v) {
  return v <= 0 ? 0 : (v >= 254.5f ? 255 : static_cast<std::uint8_t>(v + 0.5f));
}

void PictureSink::EmitRow(int r) {
  float* acc = AccRow(r);
  std::uint8_t* out = &bgra_[static_cast<std::size_t>(r) * out_.width * 4];
  for (int o = 0; o < out_.width; ++o, out += 4) {
    const float* v = acc + static_cast<std::size_t>(o) * channels_;
    if (opaque_) {
      out[0] = Round(v[0]);
      out[1] = Round(v[1]);
      out[2] = Round(v[2]);
      out[3] = 255;
    } else if (v[3] < 0.5f) {  // rounds to transparent: its colour does not matter
      std::memset(out, 0, 4);
    } else {
      out[0] = Round(v[0] / v[3]);
      out[1] = Round(v[1] / v[3]);
      out[2] = Round(v[2] / v[3]);
      out[3] = Round(v[3]);
    }
  }
  if (!anyOrder_) std::fill(acc, acc + static_cast<std::size_t>(out_.width) * channels_, 0.0f);
}

Picture PictureSink::Finish(PixelSize declared) {
  if (direct_) {
    if (opaque_) {
      for (std::size_t i = 3; i < bgra_.size(); i += 4) bgra_[i] = 255;
    }
  } else if (anyOrder_) {
    for (int r = 0; r < out_.height; ++r) EmitRow(r);
  } else {
    EmitRowsBefore(out_.height);
  }
  Picture picture;
  picture.width = out_.width;
  picture.height = out_.height;
  picture.sourceWidth = declared.width;
  picture.sourceHeight = declared.height;
  picture.bgra = std::move(bgra_);
  picture.alpha = opaque_ ? AlphaMeaning::kOpaque : AlphaMeaning::kBlend;
  return picture;
}

}  // namespace quorvin::codecs
