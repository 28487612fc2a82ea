// --disasm: after a good compilation, the object code read back the way the module reads it,
// one statement per line with its bit address, pushed values, operation and fields.

#include <cstdio>
#include <string>

#include "Tessic.h"
#include "sim/vm/ObjectCode.h"
#include "tokenizer/Tokenizer.h"

namespace cli::tessic {
namespace {

std::string Flag(Options&, const std::string&) { return {}; }

const OptionRegistration disasm({"--disasm", "", "list the object code read back statement by statement", Flag});

int PrintDisassembly(const Options& options, tok::Tokenizer& t) {
  if (options.DirectivesOnly || options.Values.count("--disasm") == 0) return 0;
  const tok::ResultRecord& r = t.TokenizeResult;
  if (r.TargetModule < 2) {
    std::fprintf(stderr, "tessic: --disasm reads the object code of the VD2 family only\n");
    return 1;
  }
  sim::vm::Image image{};
  for (int i = 0; i < sim::vm::kImageSize; ++i) image[i] = r.EEPROM[i];
  const sim::vm::Decoder decoder(image, r.TargetModule);
  const sim::vm::Decoder::Listing listing = decoder.DecodeAll(t.CodeBitPos);
  std::printf("code bits %d..%d, %d GOSUB return field(s)\n", listing.codeStart, listing.codeEnd,
              listing.gosubCount);
  for (int k = 0; k <= listing.gosubCount; ++k)
    std::printf("%6d  %s @%d\n", k * sim::vm::kAddressFieldBits, k == 0 ? "START" : ("RETURN#" + std::to_string(k)).c_str(),
                decoder.ReturnTableEntry(k));
  for (const sim::vm::Statement& s : listing.statements) std::printf("%s\n", sim::vm::StatementText(s).c_str());
  if (!listing.ok) {
    std::fprintf(stderr, "tessic: %s\n", listing.error.c_str());
    return 1;
  }
  return 0;
}

const OutputRegistration step({40, "disassembly", PrintDisassembly});

}  // namespace
}  // namespace cli::tessic
