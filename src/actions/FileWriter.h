#pragma once
// The one way every tool and the application write a file. A regular file (or a new one) is
// written to a unique temporary file beside it, synced and renamed over it, so a reader sees
// the old file or the whole new one and never a mix; its permissions and owner are kept, and
// through a symbolic link the file the link names is replaced, not the link. Anything else
// that exists at the path (a device, a FIFO, a terminal) is written directly and never
// replaced; a folder is refused.

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>

namespace actions {

// How the bytes go to an open file: ::write unless a test wants a failing disk.
using WriteCall = std::function<ssize_t(int fd, const void* data, std::size_t size)>;

struct WriteOptions {
  WriteCall Write;  // empty: ::write
};

// Returns the empty text on success, else one line that names the path and the system's
// reason; on failure the target is left as it was and no temporary file remains.
std::string WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                                const WriteOptions& options = {});

// Writes every byte to an open descriptor, resuming after interruptions and short writes;
// returns 0 or the errno of the failure.
int WriteAll(int fd, std::span<const std::uint8_t> bytes, const WriteCall& write = {});

// The start of the names of the temporary files made for a target named `targetName`.
std::string TemporaryPrefix(const std::string& targetName);

// Removes the temporary files that an interrupted save of `target` left in its folder:
// names of this writer's own patterns only, and only those no running save holds.
// Returns how many were removed.
int RemoveStaleTemporaries(const std::filesystem::path& target);

}  // namespace actions
