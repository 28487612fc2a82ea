// Clearing away what an interrupted save left beside its target. Only names this writer
// makes qualify, and a file is removed only when no save holds its lock: a save in progress
// keeps its temporary locked until the rename, and a killed one has let go of it.

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <system_error>

#include "actions/FileWriter.h"

namespace actions {

namespace {

namespace fs = std::filesystem;

bool AllOf(std::string_view text, int (*test)(int)) {
  return std::all_of(text.begin(), text.end(),
                     [test](char c) { return test(static_cast<unsigned char>(c)) != 0; });
}

// ".NAME.rovalis-tmp-" and six letters or digits, as mkstemp fills them.
bool IsOwnTemporary(std::string_view name, std::string_view prefix) {
  if (!name.starts_with(prefix) || name.size() != prefix.size() + 6) return false;
  return AllOf(name.substr(prefix.size()), std::isalnum);
}

// Earlier versions saved through ".NAME.N.tmp" with N up to six digits.
bool IsEarlierTemporary(std::string_view name, std::string_view target) {
  const std::string start = "." + std::string(target) + ".";
  if (!name.starts_with(start) || !name.ends_with(".tmp")) return false;
  const std::string_view number = name.substr(start.size(), name.size() - start.size() - 4);
  return !number.empty() && number.size() <= 6 && AllOf(number, std::isdigit);
}

// Removes the file when it is a plain file no save holds; the lock is taken on the very file
// that is then unlinked, so a file renamed or replaced meanwhile is left alone.
bool RemoveIfAbandoned(const fs::path& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  bool removed = false;
  struct stat opened, named;
  if (::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
      ::lstat(path.c_str(), &named) == 0 && named.st_ino == opened.st_ino && named.st_dev == opened.st_dev)
    removed = ::unlink(path.c_str()) == 0;
  ::close(fd);
  return removed;
}

}  // namespace

int RemoveStaleTemporaries(const fs::path& target) {
  const std::string targetName = target.filename().string();
  if (targetName.empty()) return 0;
  const std::string prefix = TemporaryPrefix(targetName);
  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  std::error_code error;
  int removed = 0;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (IsOwnTemporary(name, prefix) || IsEarlierTemporary(name, targetName))
      removed += RemoveIfAbandoned(it->path()) ? 1 : 0;
  }
  return removed;
}

}  // namespace actions
