#include "bench/floors.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <memory>

// jpeglib.h needs size_t and FILE first.
#include <jpeglib.h>
#include <png.h>

namespace quorvin::bench {

std::vector<std::uint8_t> ReadFilePlain(const std::filesystem::path& file) {
  const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return {};
  struct stat info {};
  std::vector<std::uint8_t> bytes;
  if (::fstat(fd, &info) == 0 && info.st_size > 0) {
    bytes.resize(static_cast<std::size_t>(info.st_size));
    std::size_t done = 0;
    while (done < bytes.size()) {
      const ssize_t got = ::read(fd, bytes.data() + done, bytes.size() - done);
      if (got <= 0) break;
      done += static_cast<std::size_t>(got);
    }
    bytes.resize(done);
  }
  ::close(fd);
  return bytes;
}

namespace {

struct JpegError {
  jpeg_error_mgr manager{};
  std::jmp_buf jump{};
};

[[noreturn]] void JumpOut(j_common_ptr cinfo) {
  std::longjmp(reinterpret_cast<JpegError*>(cinfo->err)->jump, 1);
}

void Silent(j_common_ptr) {}

std::uint32_t ReadU32(const std::uint8_t* p) {
  return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
}

}  // namespace

namespace {

// Everything the decoding changes lives here, on the heap, so that nothing local to the function
// that calls setjmp changes before a longjmp.
struct JpegRun {
  JpegError error;
  jpeg_decompress_struct cinfo{};
  std::vector<JSAMPLE> row;
  std::uint64_t sum = 1;
};

// libjpeg rounds a scaled side up.
unsigned EighthsToCover(JDIMENSION width, JDIMENSION height, JpegCover cover) {
  for (unsigned m = 1; m < 8; ++m) {
    if ((width * m + 7) / 8 >= static_cast<unsigned>(cover.width) &&
        (height * m + 7) / 8 >= static_cast<unsigned>(cover.height)) {
      return m;
    }
  }
  return 8;
}

void DecompressScaled(JpegRun* run, std::span<const std::uint8_t> file, JpegCover cover) {
  j_decompress_ptr cinfo = &run->cinfo;
  jpeg_mem_src(cinfo, file.data(), static_cast<unsigned long>(file.size()));
  jpeg_read_header(cinfo, TRUE);
  cinfo->scale_num = EighthsToCover(cinfo->image_width, cinfo->image_height, cover);
  cinfo->scale_denom = 8;
  jpeg_start_decompress(cinfo);
  run->row.resize(static_cast<std::size_t>(cinfo->output_width) * cinfo->output_components);
  while (cinfo->output_scanline < cinfo->output_height) {
    JSAMPROW rows[1] = {run->row.data()};
    jpeg_read_scanlines(cinfo, rows, 1);
    run->sum += run->row[0] + run->row[run->row.size() / 2];
  }
  jpeg_finish_decompress(cinfo);
}

}  // namespace

std::uint64_t DecodeJpegScaled(std::span<const std::uint8_t> file, JpegCover cover) {
  auto run = std::make_unique<JpegRun>();
  run->cinfo.err = jpeg_std_error(&run->error.manager);
  run->error.manager.error_exit = JumpOut;
  run->error.manager.output_message = Silent;
  jpeg_create_decompress(&run->cinfo);
  const bool failed = setjmp(run->error.jump) != 0;
  if (!failed) DecompressScaled(run.get(), file, cover);
  jpeg_destroy_decompress(&run->cinfo);
  return failed ? 0 : run->sum;
}

std::uint64_t InflatePngData(std::span<const std::uint8_t> file) {
  constexpr std::size_t kSignature = 8;
  if (file.size() < kSignature) return 0;
  z_stream stream{};
  if (inflateInit(&stream) != Z_OK) return 0;
  std::vector<std::uint8_t> out(256 * 1024);
  std::uint64_t total = 0;
  bool ended = false;
  std::size_t at = kSignature;
  while (!ended && file.size() - at >= 12) {
    const std::uint32_t length = ReadU32(&file[at]);
    const bool isData = std::memcmp(&file[at + 4], "IDAT", 4) == 0;
    if (length > file.size() - at - 12) break;
    if (isData) {
      stream.next_in = const_cast<Bytef*>(&file[at + 8]);
      stream.avail_in = length;
      while (stream.avail_in > 0 && !ended) {
        stream.next_out = out.data();
        stream.avail_out = static_cast<uInt>(out.size());
        const int status = inflate(&stream, Z_NO_FLUSH);
        total += out.size() - stream.avail_out;
        if (status == Z_STREAM_END) ended = true;
        if (status != Z_OK && status != Z_STREAM_END) {
          inflateEnd(&stream);
          return 0;
        }
      }
    }
    at += 12 + std::size_t{length};
  }
  inflateEnd(&stream);
  return ended ? total : 0;
}

std::uint64_t DecodePngFull(std::span<const std::uint8_t> file) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, file.data(), file.size())) return 0;
  image.format &= ~PNG_FORMAT_FLAG_LINEAR;  // 8-bit samples, as every file here has
  std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) {
    png_image_free(&image);
    return 0;
  }
  return std::uint64_t{pixels[0]} + pixels[pixels.size() / 2] + pixels.back() + 1;
}

}  // namespace quorvin::bench
