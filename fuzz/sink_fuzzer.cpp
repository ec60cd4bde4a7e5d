// The picture sink on its own: any source and output size, alpha, row order and pixel layout, and
// rows handed over in any order, dense, repeated or as interlaced passes, including the ones a
// decoder should never send (out of range, repeated, upwards). The first seven bytes choose the
// set-up, then each command takes a few bytes; pixels are taken from the input round and round.
#include <cstdint>
#include <vector>

#include "fuzz/fuzz_checks.h"
#include "platform/codecs/picture_sink.h"

namespace {

using namespace quorvin::codecs;

class Input {
 public:
  explicit Input(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  bool empty() const { return pos_ >= bytes_.size(); }
  std::uint8_t Next() { return empty() ? 0 : bytes_[pos_++]; }
  // Pixels for one row: the input's bytes, wrapping around.
  void Fill(std::vector<std::uint8_t>& out) const {
    for (std::size_t i = 0; i < out.size(); ++i) out[i] = bytes_[i % bytes_.size()];
  }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t pos_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 7) return 0;
  Input in({data, size});
  const PixelSize source{1 + in.Next() % 96, 1 + in.Next() % 96};
  const PixelSize out{1 + in.Next() % source.width, 1 + in.Next() % source.height};
  const std::uint8_t mode = in.Next();
  const AlphaMeaning alpha = mode & 1 ? AlphaMeaning::kBlend : AlphaMeaning::kOpaque;
  const RowOrder order = mode & 2 ? RowOrder::kAnyOrder : RowOrder::kTopDown;
  const PixelLayout layout = static_cast<PixelLayout>((mode >> 2) % 3);
  const int step = layout == PixelLayout::kRgb ? 3 : 4;
  auto sink = PictureSink::Create(source, out, alpha, order, layout);
  if (!sink) quorvin::fuzz::Broken("a small sink was refused");

  std::vector<std::uint8_t> row(static_cast<std::size_t>(source.width) * step);
  in.Fill(row);
  while (!in.empty()) {
    const std::uint8_t command = in.Next();
    const int y = static_cast<int>(in.Next()) - 8;  // a few rows outside the picture too
    if (command % 4 == 0) {
      std::copy(row.begin(), row.end(), sink->Row(y < 0 ? 0 : y % source.height));
      sink->Commit(y);
    } else if (command % 4 == 1) {
      sink->Commit(y, row.data());
    } else if (command % 4 == 3) {
      sink->CommitRepeat(y);
    } else {
      const int x0 = in.Next() % 10 - 1;
      const int dx = in.Next() % 9;
      const int count = in.Next() % 100;
      // The sink refuses a count past the row; the buffer is large enough for any it accepts.
      sink->CommitSparse(y, x0, dx, count, row.data());
    }
  }
  const Picture picture = sink->Finish(source);
  const DecodeResult result{PictureFormat::kNone, picture, ""};
  quorvin::fuzz::CheckPicture(result, FitSize{out.width, out.height});
  return 0;
}
