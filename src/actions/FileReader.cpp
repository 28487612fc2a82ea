#include "actions/FileReader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace actions {

namespace {

ReadResult Failure(int error, std::string reason = {}) {
  ReadResult result;
  result.Error = error;
  result.Reason = reason.empty() ? std::string(std::strerror(error)) : std::move(reason);
  return result;
}

// The refusal of a file that is not a regular one; empty for a regular file.
ReadResult RefuseOtherKinds(mode_t mode) {
  if (S_ISREG(mode)) return {};
  if (S_ISDIR(mode)) return Failure(EISDIR);
  const char* kind = S_ISFIFO(mode)   ? "a FIFO"
                     : S_ISCHR(mode)  ? "a character device"
                     : S_ISBLK(mode)  ? "a block device"
                     : S_ISSOCK(mode) ? "a socket"
                                      : "a special file";
  return Failure(EINVAL, std::string("Not a regular file (") + kind + ")");
}

ReadResult ReadOpened(int fd, std::size_t maxBytes) {
  struct stat info;
  if (::fstat(fd, &info) != 0) return Failure(errno);
  if (ReadResult refused = RefuseOtherKinds(info.st_mode); !refused.ok()) return refused;
  // Opened without waiting; reading a regular file waits for the disk as usual.
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  ReadResult result;
  result.Bytes.reserve(
      std::min<std::size_t>(maxBytes, static_cast<std::size_t>(std::max<off_t>(info.st_size, 0))));
  std::uint8_t buffer[65536];
  while (result.Bytes.size() < maxBytes) {
    const std::size_t want = std::min(sizeof buffer, maxBytes - result.Bytes.size());
    const ssize_t got = ::read(fd, buffer, want);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return Failure(errno);
    if (got == 0) break;
    result.Bytes.insert(result.Bytes.end(), buffer, buffer + got);
  }
  return result;
}

}  // namespace

ReadResult ReadRegularFile(const std::filesystem::path& path, std::size_t maxBytes) {
  // The kind is checked before opening, so that opening a FIFO or a device has no effect.
  struct stat info;
  if (::stat(path.c_str(), &info) != 0) return Failure(errno);
  if (ReadResult refused = RefuseOtherKinds(info.st_mode); !refused.ok()) return refused;
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return Failure(errno);
  ReadResult result = ReadOpened(fd, maxBytes);
  ::close(fd);
  return result;
}

}  // namespace actions
