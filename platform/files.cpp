#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QSaveFile>
#include <cerrno>

namespace quorvin::platform {

namespace {

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

}  // namespace

ByteSet ReadWholeFile(const QString& path) {
  if (path.isEmpty()) return {};
  // Non-blocking, so that opening a pipe does not wait for a writer; it is refused below.
  const Descriptor file(
      ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
  if (file.get() < 0) return {};
  struct stat info {};
  if (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) return {};
  if (info.st_size < 0 || static_cast<std::uint64_t>(info.st_size) > kMaxReadBytes) return {};

  ByteSet bytes;
  bytes.reserve(static_cast<std::size_t>(info.st_size));
  std::uint8_t chunk[64 * 1024];
  for (;;) {
    const ssize_t got = ::read(file.get(), chunk, sizeof chunk);
    if (got < 0) {
      if (errno == EINTR) continue;
      return {};
    }
    if (got == 0) break;
    // The file may have grown since fstat.
    if (bytes.size() + static_cast<std::size_t>(got) > kMaxReadBytes) return {};
    bytes.insert(bytes.end(), chunk, chunk + got);
  }
  return bytes;
}

bool WriteWholeFile(const QString& path, std::span<const std::uint8_t> bytes) {
  if (path.isEmpty()) return false;
  // QSaveFile writes a temporary file in the target's folder, syncs it and renames it over the
  // target on commit; without commit the target is untouched. Unbuffered on purpose: a buffered
  // QSaveFile (Qt 6.4) writes its buffer out in commit() and does not notice when only part of
  // it reached the disk (disk full, file size limit), so it would rename a truncated file over
  // the old one and report success.
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return false;
  const auto size = static_cast<qint64>(bytes.size());
  if (size > 0 && file.write(reinterpret_cast<const char*>(bytes.data()), size) != size) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

}  // namespace quorvin::platform
