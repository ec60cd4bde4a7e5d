#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/codecs/decode.h"

namespace quorvin::codecs {

struct PixelSize {
  int width = 0;
  int height = 0;
  friend bool operator==(const PixelSize&, const PixelSize&) = default;
};

// The size a width x height picture decodes to for `fit`: each side larger than the fit is reduced
// to exactly the fit, each other side stays. A fit of 0 in either dimension means full size.
PixelSize ReducedSize(int width, int height, FitSize fit);

// In what order a decoder hands its rows over. Top-down rows need only two accumulator rows while
// reducing; rows in any order (interlaced files) need one per output row.
enum class RowOrder { kTopDown, kAnyOrder };

// How the bytes of a source pixel are laid out. Decoders hand over rows in whatever layout their
// library gives cheapest; the sink turns them into BGRA.
enum class PixelLayout { kBgra, kRgba, kRgb };

// Takes a picture's rows from a decoder, one at a time, and builds the decoded Picture: at its own
// size, or reduced to a smaller size by area averaging as the rows arrive, so that the full-size
// picture never exists in memory. For an opaque picture a fourth byte is ignored. Rows the
// decoder never hands over (a truncated file) end up black, or transparent when the picture has
// alpha.
class PictureSink {
 public:
  // Nothing when the result, or the accumulators of the reduction, would hold more pixels than
  // kMaxHeldPixels. `out` must not be larger than `source` in either dimension.
  static std::optional<PictureSink> Create(PixelSize source, PixelSize out, AlphaMeaning alpha,
                                           RowOrder order, PixelLayout layout = PixelLayout::kBgra);

  // Where the decoder writes source row y (width pixels of the layout), valid until Commit(y).
  std::uint8_t* Row(int y) { return writesInPlace_ ? &bgra_[RowOffset(y)] : scratch_.data(); }
  void Commit(int y);
  // Source row y from the decoder's own buffer.
  void Commit(int y, const std::uint8_t* row);

  // For interlaced passes: `pixels` holds `count` pixels of row y that belong in columns
  // x0, x0 + dx, x0 + 2 dx ...
  void CommitSparse(int y, int x0, int dx, int count, const std::uint8_t* pixels);

  // Source row y holds the same pixels as the row last taken whole (by Commit): nothing is read
  // or reduced again, so a run of equal rows costs only their share of the output. Does nothing
  // when the last row taken came in parts (CommitSparse) or no row was taken yet.
  void CommitRepeat(int y);

  int rowsCommitted() const { return rowsCommitted_; }
  PixelSize source() const { return source_; }

  // The finished picture; `declared` is the size the file states (before any DCT scaling).
  Picture Finish(PixelSize declared);

 private:
  struct Span {  // the source columns (or rows) one output column (or row) covers, with weights
    int first = 0;
    int last = 0;
    std::uint32_t firstWeight = 0;
    std::uint32_t lastWeight = 0;
  };

  PictureSink() = default;
  static std::optional<PictureSink> Build(PixelSize source, PixelSize out, AlphaMeaning alpha,
                                          RowOrder order, PixelLayout layout);
  std::size_t RowOffset(int y) const { return static_cast<std::size_t>(y) * source_.width * 4; }
  bool Accepts(int y);
  void CopyToBgra(const std::uint8_t* from, int count, int dx, std::uint8_t* to) const;
  template <int kStep, int kR, int kG, int kB, int kA>
  void ReduceRowDense(const std::uint8_t* row);
  void ReduceRowDense(const std::uint8_t* row);
  void ReduceRowSparse(const std::uint8_t* pixels, int x0, int dx, int count);
  void AddToRows(int y);
  float* AccRow(int r);
  void EmitRowsBefore(int r);
  void EmitRow(int r);

  PixelSize source_;
  PixelSize out_;
  PixelLayout layout_ = PixelLayout::kBgra;
  bool opaque_ = true;
  bool direct_ = true;         // no reduction: rows go straight into the result
  bool writesInPlace_ = true;  // and the decoder writes them there itself
  bool anyOrder_ = false;
  int channels_ = 3;
  int rowsCommitted_ = 0;
  int lastRow_ = -1;
  int repeatable_ = -1;  // the row last taken whole, still held in the result or in hrow_
  std::vector<std::uint8_t> bgra_;     // the result (the picture itself when direct)
  std::vector<std::uint8_t> scratch_;  // one source row, unless written in place
  // Reduction state.
  std::vector<Span> columns_;
  std::vector<double> hrow_;  // the current source row reduced horizontally, per output column
  std::vector<float> acc_;    // output rows being summed: two (top-down) or all of them
  int nextEmit_ = 0;
  std::vector<int> sparseColumn_;            // per source column: the output column it starts in
  std::vector<std::uint32_t> sparseWeight_;  // and its weight there; the rest goes to the next
};

}  // namespace quorvin::codecs
