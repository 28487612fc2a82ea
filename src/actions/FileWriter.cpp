#include "actions/FileWriter.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <vector>

namespace actions {

namespace {

namespace fs = std::filesystem;

constexpr int kMaxLinkHops = 40;             // as the kernel: more is taken for a loop
constexpr std::size_t kMaxPrefixName = 200;  // keeps a temporary's name under NAME_MAX

std::string ErrorText(const char* what, const fs::path& path, int error) {
  return std::string(what) + " \"" + path.string() + "\". " + std::strerror(error);
}

// Follows symbolic links to the path of the file they name, which need not exist yet (a
// link to a file still to be made). Returns 0 or the errno; ELOOP for a loop.
int ResolveLinks(fs::path& path) {
  for (int hop = 0; hop < kMaxLinkHops; ++hop) {
    struct stat info;
    if (::lstat(path.c_str(), &info) != 0) return errno == ENOENT ? 0 : errno;
    if (!S_ISLNK(info.st_mode)) return 0;
    std::vector<char> target(PATH_MAX + 1);
    const ssize_t length = ::readlink(path.c_str(), target.data(), PATH_MAX);
    if (length < 0) return errno;
    const fs::path next(std::string(target.data(), static_cast<std::size_t>(length)));
    path = next.is_absolute() ? next : path.parent_path() / next;
  }
  return ELOOP;
}

// Devices, FIFOs and terminals are written where they are: replacing them would destroy them.
std::string WriteDirectly(const fs::path& path, std::span<const std::uint8_t> bytes, const WriteCall& write) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return ErrorText("Cannot open file", path, errno);
  int error = WriteAll(fd, bytes, write);
  if (::close(fd) != 0 && error == 0 && errno != EINTR) error = errno;
  return error ? ErrorText("Cannot write file", path, error) : std::string();
}

// The process's umask, read where other threads cannot be disturbed by setting it.
mode_t CurrentUmask() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.starts_with("Umask:")) return static_cast<mode_t>(std::strtoul(line.c_str() + 6, nullptr, 8));
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return mask;
}

mode_t NewFileMode() {
  return 0666 & ~CurrentUmask();
}

// The temporary takes the replaced file's permissions and owner; a new file gets the
// permissions any new file would get.
void TakeOverAttributes(int fd, const struct stat* existing) {
  if (!existing) {
    ::fchmod(fd, NewFileMode());
    return;
  }
  // Only root may give a file away; for anyone else this keeps the group where allowed.
  if (::fchown(fd, existing->st_uid, existing->st_gid) != 0) {
    [[maybe_unused]] int ignored = ::fchown(fd, static_cast<uid_t>(-1), existing->st_gid);
  }
  ::fchmod(fd, existing->st_mode & 07777);
}

void SyncFolder(const fs::path& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);  // the rename lasts once the folder is on disk; a failure here loses nothing
  ::close(fd);
}

struct Temporary {
  fs::path Path;
  int Fd = -1;
};

// A unique file beside the target, locked so that no other save takes it for a stale one.
// Another save's clean-up may have taken it between its creation and the lock; then it has
// no name any more and a new one is made.
int CreateTemporary(const fs::path& target, Temporary& out) {
  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  const std::string name = (folder / (TemporaryPrefix(target.filename().string()) + "XXXXXX")).string();
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string pattern = name;
    const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0) return errno;
    // Where the file system has no locks the clean-up finds none free and removes nothing.
    ::flock(fd, LOCK_EX);
    struct stat info;
    if (::fstat(fd, &info) == 0 && info.st_nlink > 0) {
      out.Path = pattern;
      out.Fd = fd;
      return 0;
    }
    ::close(fd);
  }
  return EAGAIN;
}

std::string ReplaceThroughTemporary(const fs::path& path, const struct stat* existing,
                                    std::span<const std::uint8_t> bytes, const WriteCall& write) {
  Temporary temporary;
  if (const int error = CreateTemporary(path, temporary)) return ErrorText("Cannot create file", path, error);
  TakeOverAttributes(temporary.Fd, existing);
  int error = WriteAll(temporary.Fd, bytes, write);
  // EINVAL: a file system that has nothing to sync.
  if (error == 0 && ::fsync(temporary.Fd) != 0 && errno != EINVAL) error = errno;
  const char* what = "Cannot write file";
  if (error == 0 && ::rename(temporary.Path.c_str(), path.c_str()) != 0) {
    error = errno;
    what = "Cannot replace file";
  }
  if (error) ::unlink(temporary.Path.c_str());
  ::close(temporary.Fd);  // held until now: a file still being saved is never stale
  if (error) return ErrorText(what, path, error);
  SyncFolder(path.has_parent_path() ? path.parent_path() : fs::path("."));
  return {};
}

}  // namespace

int WriteAll(int fd, std::span<const std::uint8_t> bytes, const WriteCall& write) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    errno = 0;
    const ssize_t n = write ? write(fd, bytes.data() + done, bytes.size() - done)
                            : ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno ? errno : EIO;
    if (n == 0) return ENOSPC;  // a write that takes nothing will never finish
    done += static_cast<std::size_t>(n);
  }
  return 0;
}

std::string TemporaryPrefix(const std::string& targetName) {
  return "." + targetName.substr(0, kMaxPrefixName) + ".rovalis-tmp-";
}

std::string WriteFileAtomically(const fs::path& requested, std::span<const std::uint8_t> bytes,
                                const WriteOptions& options) {
  fs::path path = requested;
  if (const int error = ResolveLinks(path)) return ErrorText("Cannot create file", requested, error);
  struct stat info;
  const bool exists = ::stat(path.c_str(), &info) == 0;
  if (!exists && errno != ENOENT) return ErrorText("Cannot create file", requested, errno);
  if (exists && S_ISDIR(info.st_mode)) return ErrorText("Cannot create file", requested, EISDIR);
  if (exists && !S_ISREG(info.st_mode)) return WriteDirectly(path, bytes, options.Write);
  RemoveStaleTemporaries(path);
  return ReplaceThroughTemporary(path, exists ? &info : nullptr, bytes, options.Write);
}

}  // namespace actions
