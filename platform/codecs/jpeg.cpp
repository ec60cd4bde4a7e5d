// JPEG through libjpeg-turbo: the usual create, read header, start, read scanlines, finish,
// destroy. A larger picture is reduced by the DCT itself (scale M/8), to the smallest scale that
// still covers the fit, and the rest by area averaging.
//
// Errors: libjpeg reports a truncated file as a warning and fills what is missing, so a truncated
// file shows what was decoded. A fatal error (a broken header, an unsupported process, a broken
// progressive scan) longjmps back here and there is no picture, unless it comes after the last
// row was read.
#include <csetjmp>
#include <cstdio>
#include <memory>
#include <vector>

// jpeglib.h needs size_t and FILE first.
#include <jerror.h>
#include <jpeglib.h>

#include "platform/codecs/formats.h"
#include "platform/codecs/limits.h"
#include "platform/codecs/picture_sink.h"

namespace quorvin::codecs {
namespace {

// Everything the decoding touches lives here, on the heap, so that nothing local to the function
// that calls setjmp changes before a longjmp.
struct JpegDecoder {
  jpeg_decompress_struct cinfo{};
  jpeg_error_mgr errorManager{};
  jpeg_progress_mgr progress{};
  std::jmp_buf jump{};
  char message[JMSG_LENGTH_MAX] = {};
  bool created = false;
  bool allRowsRead = false;
  PixelSize declared;  // as the header says, before any scaling
  std::optional<PictureSink> sink;
  std::vector<std::uint8_t> cmykRow;
  std::string why;

  ~JpegDecoder() {
    if (created) jpeg_destroy_decompress(&cinfo);
  }
};

JpegDecoder* DecoderOf(j_common_ptr cinfo) {
  return static_cast<JpegDecoder*>(cinfo->client_data);
}

[[noreturn]] void OnFatalError(j_common_ptr cinfo) {
  JpegDecoder* d = DecoderOf(cinfo);
  if (cinfo->err->msg_code == JERR_NO_BACKING_STORE) {
    // What libjpeg says when its whole-image buffers would exceed kMaxJpegMemory.
    std::snprintf(d->message, sizeof d->message, "needs more memory than allowed");
  } else {
    (*cinfo->err->format_message)(cinfo, d->message);
  }
  std::longjmp(d->jump, 1);
}

void OnOutputMessage(j_common_ptr) {}  // warnings are not printed

// Each scan of a progressive file goes over the whole picture again; a file with hundreds of scans
// is built to take time.
void OnProgress(j_common_ptr cinfo) {
  auto* dinfo = reinterpret_cast<j_decompress_ptr>(cinfo);
  if (dinfo->input_scan_number > kMaxJpegScans) {
    JpegDecoder* d = DecoderOf(cinfo);
    std::snprintf(d->message, sizeof d->message, "more than %d scans", kMaxJpegScans);
    std::longjmp(d->jump, 1);
  }
}

// The smallest M for which the picture scaled by M/8 still covers `target` (libjpeg rounds the
// scaled size up).
unsigned ScaleFor(JDIMENSION width, JDIMENSION height, PixelSize target) {
  // A picture shown at its own size is decoded exactly: a scaled IDCT of a picture smaller than
  // one block would round up to its size but not give its pixels.
  if (static_cast<JDIMENSION>(target.width) == width &&
      static_cast<JDIMENSION>(target.height) == height) {
    return 8;
  }
  for (unsigned m = 1; m < 8; ++m) {
    const std::uint64_t w = (std::uint64_t{width} * m + 7) / 8;
    const std::uint64_t h = (std::uint64_t{height} * m + 7) / 8;
    if (w >= static_cast<std::uint64_t>(target.width) &&
        h >= static_cast<std::uint64_t>(target.height)) {
      return m;
    }
  }
  return 8;
}

// Adobe applications store CMYK inverted (0 = full ink) and mark the file with an APP14 "Adobe"
// segment; without that mark the values are taken as plain ink amounts.
void CmykToBgra(const std::uint8_t* cmyk, int width, bool inverted, std::uint8_t* bgra) {
  for (int x = 0; x < width; ++x, cmyk += 4, bgra += 4) {
    int c = cmyk[0], m = cmyk[1], y = cmyk[2], k = cmyk[3];
    if (!inverted) {
      c = 255 - c, m = 255 - m, y = 255 - y, k = 255 - k;
    }
    bgra[0] = static_cast<std::uint8_t>((y * k + 127) / 255);
    bgra[1] = static_cast<std::uint8_t>((m * k + 127) / 255);
    bgra[2] = static_cast<std::uint8_t>((c * k + 127) / 255);
    bgra[3] = 255;
  }
}

// Runs the whole decompression. May longjmp to d->jump from inside any libjpeg call, so it keeps
// no objects with destructors of its own.
void Decompress(JpegDecoder* d, std::span<const std::uint8_t> file, FitSize fit) {
  j_decompress_ptr cinfo = &d->cinfo;
  jpeg_create_decompress(cinfo);
  d->created = true;
  cinfo->mem->max_memory_to_use = kMaxJpegMemory;
  cinfo->progress = &d->progress;
  jpeg_mem_src(cinfo, file.data(), static_cast<unsigned long>(file.size()));
  jpeg_read_header(cinfo, TRUE);  // a stream of tables only is a fatal error here

  if (!SizeAllowed(cinfo->image_width, cinfo->image_height)) {
    d->why = "JPEG size out of range";
    return;
  }
  d->declared = {static_cast<int>(cinfo->image_width), static_cast<int>(cinfo->image_height)};
  bool cmyk = false;
  switch (cinfo->jpeg_color_space) {
    case JCS_GRAYSCALE:
    case JCS_YCbCr:
    case JCS_RGB:
      cinfo->out_color_space = JCS_EXT_BGRA;
      break;
    case JCS_CMYK:
    case JCS_YCCK:  // libjpeg turns YCCK into CMYK
      cinfo->out_color_space = JCS_CMYK;
      cmyk = true;
      break;
    default:
      d->why = "JPEG colour space not supported";
      return;
  }
  const PixelSize target = ReducedSize(d->declared.width, d->declared.height, fit);
  cinfo->scale_num = ScaleFor(cinfo->image_width, cinfo->image_height, target);
  cinfo->scale_denom = 8;
  cinfo->dct_method = JDCT_ISLOW;
  // Smooth chroma upsampling is wasted on a picture that is about to be averaged down.
  if (cinfo->scale_num < 8) cinfo->do_fancy_upsampling = FALSE;
  jpeg_start_decompress(cinfo);

  const PixelSize scaled{static_cast<int>(cinfo->output_width),
                         static_cast<int>(cinfo->output_height)};
  d->sink = PictureSink::Create(scaled, target, AlphaMeaning::kOpaque, RowOrder::kTopDown);
  if (!d->sink) {
    d->why = kTooLargeToHold;
    return;
  }
  if (cmyk) {
    const auto rowBytes = CheckedMul(scaled.width, 4);
    if (!rowBytes) {
      d->why = kTooLargeToHold;
      return;
    }
    d->cmykRow.resize(*rowBytes);
  }
  while (cinfo->output_scanline < cinfo->output_height) {
    const int y = static_cast<int>(cinfo->output_scanline);
    JSAMPROW row = cmyk ? d->cmykRow.data() : d->sink->Row(y);
    if (jpeg_read_scanlines(cinfo, &row, 1) != 1) break;
    if (cmyk) CmykToBgra(d->cmykRow.data(), scaled.width, cinfo->saw_Adobe_marker, d->sink->Row(y));
    d->sink->Commit(y);
  }
  d->allRowsRead = true;
  jpeg_finish_decompress(cinfo);
}

}  // namespace

DecodeResult DecodeJpeg(std::span<const std::uint8_t> file, FitSize fit) {
  auto d = std::make_unique<JpegDecoder>();
  d->cinfo.err = jpeg_std_error(&d->errorManager);
  d->errorManager.error_exit = OnFatalError;
  d->errorManager.output_message = OnOutputMessage;
  d->cinfo.client_data = d.get();
  d->progress.progress_monitor = OnProgress;
  if (setjmp(d->jump) == 0) {
    Decompress(d.get(), file, fit);
  } else if (!d->allRowsRead) {
    return NoPicture(std::string("JPEG: ") + d->message);
  }
  if (!d->sink || !d->allRowsRead) return NoPicture(d->why.empty() ? "JPEG not decoded" : d->why);
  return WithPicture(d->sink->Finish(d->declared));
}

}  // namespace quorvin::codecs
