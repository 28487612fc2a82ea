// After a good compilation: the one-line summary, and the files --hex, --bin and --packets.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "Tessic.h"
#include "tokenizer/ImageReport.h"
#include "tokenizer/Tokenizer.h"

namespace cli::tessic {
namespace {

std::string Remember(Options&, const std::string& value) {
  return value.empty() ? std::string("needs a file name") : std::string();
}

const OptionRegistration hex({"--hex", "FILE", "write the bytes to be downloaded as Intel HEX", Remember});
const OptionRegistration bin({"--bin", "FILE", "write the whole EEPROM image (2048 bytes, 256 on the VD1)",
                              Remember});
const OptionRegistration packets(
    {"--packets", "FILE",
     "write the download packets as sent (18 bytes each; the VD1's one packet is 256 bytes)", Remember});

// Written beside the target first and renamed, so a failed write leaves no half file.
bool WriteFile(const std::string& path, const char* data, size_t size) {
  const std::string temporary = path + ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out.write(data, static_cast<std::streamsize>(size)) || !out.flush()) {
      std::fprintf(stderr, "tessic: cannot write %s\n", path.c_str());
      std::error_code ignored;
      std::filesystem::remove(temporary, ignored);
      return false;
    }
  }
  std::error_code error;
  std::filesystem::rename(temporary, path, error);
  if (error) {
    std::fprintf(stderr, "tessic: cannot write %s: %s\n", path.c_str(), error.message().c_str());
    return false;
  }
  return true;
}

int PrintSummary(const Options& options, tok::Tokenizer& t) {
  if (!options.DirectivesOnly) std::printf("%s\n", tok::Summary(t.TokenizeResult).c_str());
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
    if (!WriteFile(it->second, reinterpret_cast<const char*>(r.EEPROM), imageSize)) return 1;
  }
  if (auto it = options.Values.find("--packets"); it != options.Values.end()) {
    // The VD1 takes its whole image, highest address first, as its single packet.
    const size_t packetBytes = r.TargetModule == tok::ModuleVD1
                                   ? static_cast<size_t>(r.PacketCount) * 256
                                   : static_cast<size_t>(r.PacketCount) * tok::PacketSize;
    if (!WriteFile(it->second, reinterpret_cast<const char*>(r.PacketBuffer), packetBytes)) return 1;
  }
  return 0;
}

const OutputRegistration summary({10, "summary", PrintSummary});
const OutputRegistration files({20, "files", WriteFiles});

}  // namespace
}  // namespace cli::tessic
