// After a good compilation: the one-line summary, and the files --hex, --bin and --packets.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <span>
#include <string>

#include "Tessic.h"
#include "actions/FileWriter.h"
#include "tokenizer/ImageReport.h"
#include "tokenizer/Tokenizer.h"

namespace cli::tessic {
namespace {

std::string Remember(Options&, const std::string& value) {
  return value.empty() ? std::string("needs a file name") : std::string();
}

const OptionRegistration hex({"--hex", "FILE",
                              "write the bytes to be downloaded as Intel HEX (- for standard output)",
                              Remember});
const OptionRegistration bin(
    {"--bin", "FILE", "write the whole EEPROM image (2048 bytes, 256 on the VD1; - for standard output)",
     Remember});
const OptionRegistration packets(
    {"--packets", "FILE",
     "write the download packets as sent (18 bytes each; the VD1's one packet is 256 bytes; - for "
     "standard output)",
     Remember});

bool WritesToStandardOutput(const Options& options) {
  for (const char* name : {"--hex", "--bin", "--packets"})
    if (auto it = options.Values.find(name); it != options.Values.end() && it->second == "-") return true;
  return false;
}

// "-" is standard output; anything else goes through the shared writer, which never leaves a
// half-written file and writes devices and FIFOs where they are.
bool WriteFile(const std::string& path, const void* data, size_t size) {
  const std::span<const std::uint8_t> bytes(static_cast<const std::uint8_t*>(data), size);
  if (path == "-") {
    std::fflush(stdout);
    if (const int error = actions::WriteAll(STDOUT_FILENO, bytes)) {
      std::fprintf(stderr, "tessic: cannot write to standard output: %s\n", std::strerror(error));
      return false;
    }
    return true;
  }
  const std::string error = actions::WriteFileAtomically(path, bytes);
  if (!error.empty()) std::fprintf(stderr, "tessic: %s\n", error.c_str());
  return error.empty();
}

int PrintSummary(const Options& options, tok::Tokenizer& t) {
  // With a file on standard output the summary must not mix with its bytes.
  if (!options.DirectivesOnly)
    std::fprintf(WritesToStandardOutput(options) ? stderr : stdout, "%s\n",
                 tok::Summary(t.TokenizeResult).c_str());
  return 0;
}

int WriteFiles(const Options& options, tok::Tokenizer& t) {
  if (options.DirectivesOnly) return 0;
  const tok::ResultRecord& r = t.TokenizeResult;
  if (auto it = options.Values.find("--hex"); it != options.Values.end()) {
    const std::string text = tok::IntelHex(r);
    if (!WriteFile(it->second, text.data(), text.size())) return 1;
  }
  if (auto it = options.Values.find("--bin"); it != options.Values.end()) {
    const size_t imageSize = static_cast<size_t>(tok::Usage(r).ImageSize);
    if (!WriteFile(it->second, r.EEPROM, imageSize)) return 1;
  }
  if (auto it = options.Values.find("--packets"); it != options.Values.end()) {
    // The VD1 takes its whole image, highest address first, as its single packet.
    const size_t packetBytes = r.TargetModule == tok::ModuleVD1
                                   ? static_cast<size_t>(r.PacketCount) * 256
                                   : static_cast<size_t>(r.PacketCount) * tok::PacketSize;
    if (!WriteFile(it->second, r.PacketBuffer, packetBytes)) return 1;
  }
  return 0;
}

const OutputRegistration summary({10, "summary", PrintSummary});
const OutputRegistration files({20, "files", WriteFiles});

}  // namespace
}  // namespace cli::tessic
