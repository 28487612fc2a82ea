#pragma once
// Reading an input file the way every tool and the application do: only a regular file is
// read, and anything else (a FIFO, a folder, a device, a socket) is refused before a byte is
// read, so a FIFO given by mistake never blocks the reader.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

namespace actions {

struct ReadResult {
  std::vector<std::uint8_t> Bytes;
  int Error = 0;       // the errno of the failure, 0 when read
  std::string Reason;  // why it failed, one line without the path: "Permission denied"
  bool ok() const { return Error == 0; }
};

// Reads at most maxBytes from the start of the file.
ReadResult ReadRegularFile(const std::filesystem::path& path,
                           std::size_t maxBytes = std::numeric_limits<std::size_t>::max());

}  // namespace actions
