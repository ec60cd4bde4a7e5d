// GIF through giflib, from memory: the first image, drawn opaque on the logical screen. Pixels the
// image does not cover show the background colour; a transparent index shows its own colour.
#include <gif_lib.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/codecs/formats.h"
#include "platform/codecs/limits.h"
#include "platform/codecs/picture_sink.h"

namespace quorvin::codecs {
namespace {

struct MemorySource {
  std::span<const std::uint8_t> bytes;
  std::size_t pos = 0;
};

// Hands giflib what is left; a short read makes giflib report D_GIF_ERR_READ_FAILED.
int ReadFromMemory(GifFileType* gif, GifByteType* out, int wanted) {
  auto* source = static_cast<MemorySource*>(gif->UserData);
  const std::size_t n =
      std::min<std::size_t>(std::max(wanted, 0), source->bytes.size() - source->pos);
  if (n == 0) return 0;  // an empty span may have no data pointer at all, which memcpy must not get
  std::memcpy(out, source->bytes.data() + source->pos, n);
  source->pos += n;
  return static_cast<int>(n);
}

struct GifCloser {
  void operator()(GifFileType* gif) const {
    int error = 0;
    DGifCloseFile(gif, &error);
  }
};
using GifHandle = std::unique_ptr<GifFileType, GifCloser>;

std::string GifError(const char* what, int code) {
  const char* text = GifErrorString(code);
  return std::string(what) + ": " + (text ? text : "unknown giflib error");
}

// Skips extensions up to the first image descriptor. False (with why) when there is none.
bool FindFirstImage(GifFileType* gif, std::string* why) {
  for (;;) {
    GifRecordType type = UNDEFINED_RECORD_TYPE;
    if (DGifGetRecordType(gif, &type) == GIF_ERROR) {
      *why = GifError("GIF record", gif->Error);
      return false;
    }
    if (type == IMAGE_DESC_RECORD_TYPE) {
      if (DGifGetImageDesc(gif) == GIF_ERROR) {
        *why = GifError("GIF image descriptor", gif->Error);
        return false;
      }
      return true;
    }
    if (type == EXTENSION_RECORD_TYPE) {
      int code = 0;
      GifByteType* block = nullptr;
      if (DGifGetExtension(gif, &code, &block) == GIF_ERROR) {
        *why = GifError("GIF extension", gif->Error);
        return false;
      }
      while (block != nullptr) {
        if (DGifGetExtensionNext(gif, &block) == GIF_ERROR) {
          *why = GifError("GIF extension", gif->Error);
          return false;
        }
      }
      continue;
    }
    *why = "GIF without an image";
    return false;
  }
}

// Row of the image that the i-th stored row belongs to: interlaced images store every 8th row
// from 0, every 8th from 4, every 4th from 2, then every 2nd from 1.
int InterlacedRow(int i, int height) {
  static constexpr int kStart[4] = {0, 4, 2, 1};
  static constexpr int kStep[4] = {8, 8, 4, 2};
  for (int pass = 0; pass < 4; ++pass) {
    const int rows =
        kStart[pass] < height ? (height - kStart[pass] + kStep[pass] - 1) / kStep[pass] : 0;
    if (i < rows) return kStart[pass] + i * kStep[pass];
    i -= rows;
  }
  return height;  // not reached for i < height
}

using Colours = std::array<std::array<std::uint8_t, 4>, 256>;  // BGRA

}  // namespace

DecodeResult DecodeGif(std::span<const std::uint8_t> file, FitSize fit) {
  MemorySource source{file};
  int openError = 0;
  GifHandle gif(DGifOpen(&source, ReadFromMemory, &openError));
  if (!gif) return NoPicture(GifError("GIF header", openError));
  std::string why;
  if (!FindFirstImage(gif.get(), &why)) return NoPicture(why);
  const GifImageDesc& image = gif->Image;
  if (!SizeAllowed(image.Width, image.Height)) return NoPicture("GIF image size out of range");
  // The picture is the logical screen, which clips the image. Some writers leave the screen size
  // 0: then the first image gives it.
  PixelSize screen{gif->SWidth, gif->SHeight};
  if (screen.width == 0 || screen.height == 0) {
    screen = {image.Left + image.Width, image.Top + image.Height};
  }
  if (!SizeAllowed(screen.width, screen.height)) return NoPicture("GIF screen size out of range");
  const ColorMapObject* map = image.ColorMap ? image.ColorMap : gif->SColorMap;
  if (map == nullptr) return NoPicture("GIF without a colour table");
  const int mapSize = std::clamp(map->ColorCount, 0, 256);
  Colours colours{};
  for (int i = 0; i < mapSize; ++i) {
    const GifColorType& c = map->Colors[i];
    colours[i] = {c.Blue, c.Green, c.Red, 255};
  }
  std::array<std::uint8_t, 4> background{0, 0, 0, 255};
  if (gif->SColorMap && gif->SBackGroundColor < gif->SColorMap->ColorCount) {
    const GifColorType& c = gif->SColorMap->Colors[gif->SBackGroundColor];
    background = {c.Blue, c.Green, c.Red, 255};
  }

  const RowOrder order = image.Interlace ? RowOrder::kAnyOrder : RowOrder::kTopDown;
  auto sink = PictureSink::Create(screen, ReducedSize(screen.width, screen.height, fit),
                                  AlphaMeaning::kOpaque, order);
  if (!sink) return NoPicture(kTooLargeToHold);

  // The part of the screen the image covers.
  const int left = std::min(image.Left, screen.width);
  const int right = std::min(image.Left + image.Width, screen.width);
  const int top = std::min(image.Top, screen.height);
  const int bottom = std::min(image.Top + image.Height, screen.height);
  // A row of background, made once: a few bytes can declare a huge screen around a tiny image,
  // and its rows of background must not cost a pass each. Image rows keep the background beside
  // the image and have only the image's columns written.
  std::vector<std::uint8_t> backgroundRow(static_cast<std::size_t>(screen.width) * 4);
  for (std::size_t i = 0; i < backgroundRow.size(); i += 4) {
    std::memcpy(&backgroundRow[i], background.data(), 4);
  }
  std::vector<std::uint8_t> imageRow = backgroundRow;
  auto commitBackgroundRows = [&](int from, int to) {
    if (from >= to) return;
    sink->Commit(from, backgroundRow.data());
    for (int y = from + 1; y < to; ++y) sink->CommitRepeat(y);
  };

  commitBackgroundRows(0, top);
  std::vector<GifPixelType> line(image.Width);
  int imageRows = 0;
  int lineError = 0;
  for (int i = 0; i < image.Height; ++i) {
    if (DGifGetLine(gif.get(), line.data(), image.Width) == GIF_ERROR) {
      lineError = gif->Error;
      break;
    }
    // An index past the colour table is a broken file, not a colour.
    if (*std::max_element(line.begin(), line.end()) >= mapSize) {
      return NoPicture("GIF pixel outside its colour table");
    }
    ++imageRows;
    const int y = image.Top + (image.Interlace ? InterlacedRow(i, image.Height) : i);
    if (y >= bottom) continue;
    for (int x = left; x < right; ++x) {
      std::memcpy(&imageRow[static_cast<std::size_t>(x) * 4], colours[line[x - image.Left]].data(),
                  4);
    }
    sink->Commit(y, imageRow.data());
  }
  // Running out of data keeps the rows decoded so far; a damaged code stream keeps nothing.
  const bool truncated = lineError == D_GIF_ERR_READ_FAILED || lineError == D_GIF_ERR_EOF_TOO_SOON;
  if (lineError != 0 && !(truncated && imageRows > 0)) {
    return NoPicture(GifError("GIF image data", lineError));
  }
  commitBackgroundRows(bottom, screen.height);
  return WithPicture(sink->Finish(screen));
}

}  // namespace quorvin::codecs
