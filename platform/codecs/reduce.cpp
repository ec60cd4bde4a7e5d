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

std::optional<PictureSink> PictureSink::Create(PixelSize source, PixelSize out, AlphaMeaning alpha,
                                               RowOrder order) {
  if (!SizeAllowed(source.width, source.height) || out.width < 1 || out.height < 1 ||
      out.width > source.width || out.height > source.height) {
    return std::nullopt;
  }
  try {
    return Build(source, out, alpha, order);
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
}

std::optional<PictureSink> PictureSink::Build(PixelSize source, PixelSize out, AlphaMeaning alpha,
                                              RowOrder order) {
  PictureSink sink;
  sink.source_ = source;
  sink.out_ = out;
  sink.opaque_ = alpha == AlphaMeaning::kOpaque;
  sink.direct_ = out == source;
  sink.anyOrder_ = order == RowOrder::kAnyOrder;
  sink.channels_ = sink.opaque_ ? 3 : 4;

  const std::int64_t outPixels = std::int64_t{out.width} * out.height;
  const std::int64_t accRows = sink.direct_ ? 0 : (sink.anyOrder_ ? out.height : 2);
  const std::int64_t accFloats = accRows * out.width * sink.channels_;
  // A float of accumulator weighs as much as a BGRA pixel.
  if (outPixels + accFloats > kMaxHeldPixels) return std::nullopt;

  // An opaque picture's missing rows are black, a blended one's transparent.
  const std::uint8_t fill[4] = {0, 0, 0, static_cast<std::uint8_t>(sink.opaque_ ? 255 : 0)};
  sink.bgra_.resize(static_cast<std::size_t>(outPixels) * 4);
  for (std::size_t i = 0; i < sink.bgra_.size(); i += 4) std::memcpy(&sink.bgra_[i], fill, 4);
  if (sink.direct_) return sink;
  sink.scratch_.resize(static_cast<std::size_t>(source.width) * 4);

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
  sink.acc_.assign(static_cast<std::size_t>(accFloats), 0.0f);
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
  if (!Accepts(y) || direct_) return;
  ReduceRowDense(scratch_.data());
  AddToRows(y);
}

void PictureSink::Commit(int y, const std::uint8_t* bgra) {
  if (!Accepts(y)) return;
  if (direct_) {
    std::memcpy(&bgra_[RowOffset(y)], bgra, static_cast<std::size_t>(source_.width) * 4);
    return;
  }
  ReduceRowDense(bgra);
  AddToRows(y);
}

void PictureSink::CommitSparse(int y, int x0, int dx, int count, const std::uint8_t* pixels) {
  if (x0 < 0 || dx < 1 || count < 0 || x0 >= source_.width ||
      count > (source_.width - x0 + dx - 1) / dx || !Accepts(y)) {
    return;
  }
  if (direct_) {
    std::uint8_t* row = &bgra_[RowOffset(y)];
    for (int i = 0; i < count; ++i) {
      std::memcpy(row + static_cast<std::size_t>(x0 + i * dx) * 4, pixels + i * 4, 4);
    }
    return;
  }
  ReduceRowSparse(pixels, x0, dx, count);
  AddToRows(y);
}

// Sums stay exact in 32 bits: a run holds fewer than 65535 pixels of at most 255 * 255.
void PictureSink::ReduceRowDense(const std::uint8_t* p) {
  const double units = out_.width;
  const double norm = 1.0 / source_.width;
  for (int o = 0; o < out_.width; ++o) {
    const Span& s = columns_[o];
    const std::uint8_t* first = p + static_cast<std::size_t>(s.first) * 4;
    const std::uint8_t* last = p + static_cast<std::size_t>(s.last) * 4;
    double* h = &hrow_[static_cast<std::size_t>(o) * channels_];
    const double fw = s.firstWeight;
    const double lw = s.lastWeight;
    if (opaque_) {
      std::uint32_t b = 0, g = 0, r = 0;
      for (const std::uint8_t* q = first + 4; q < last; q += 4) {
        b += q[0];
        g += q[1];
        r += q[2];
      }
      const std::uint32_t inner[3] = {b, g, r};
      for (int c = 0; c < 3; ++c) h[c] = (first[c] * fw + inner[c] * units + last[c] * lw) * norm;
    } else {
      // Premultiplied, so that the colour of transparent pixels does not bleed into the average.
      std::uint32_t b = 0, g = 0, r = 0, a = 0;
      for (const std::uint8_t* q = first + 4; q < last; q += 4) {
        b += q[0] * q[3];
        g += q[1] * q[3];
        r += q[2] * q[3];
        a += q[3];
      }
      const std::uint32_t inner[4] = {b, g, r, a};
      for (int c = 0; c < 4; ++c) {
        const double fv = c == 3 ? first[3] : first[c] * first[3];
        const double lv = c == 3 ? last[3] : last[c] * last[3];
        h[c] = (fv * fw + inner[c] * units + lv * lw) * norm;
      }
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
  const double norm = 1.0 / source_.width;
  for (int i = 0; i < count; ++i) {
    const int x = x0 + i * dx;
    const std::uint8_t* q = p + static_cast<std::size_t>(i) * 4;
    double v[4] = {double(q[0]), double(q[1]), double(q[2]), double(q[3])};
    if (!opaque_) {
      for (int c = 0; c < 3; ++c) v[c] *= q[3];
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
