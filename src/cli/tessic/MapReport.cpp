// --map: which 16-byte blocks of the EEPROM hold code, data, reserved space or nothing, and
// where the program's variables live.

#include <cstdio>
#include <memory>
#include <string>

#include "Tessic.h"
#include "tokenizer/ImageReport.h"
#include "tokenizer/Tokenizer.h"

namespace cli::tessic {
namespace {

const OptionRegistration map({"--map", "", "print the EEPROM block map and the variable allocation",
                              [](Options&, const std::string&) { return std::string(); }});

const char* const SizeNames[] = {"bit", "nib", "byte", "word"};

// Symbols the program itself declared follow the predefined ones; a compilation of an empty
// program for the same module and version tells where they start.
int FirstProgramSymbol(const tok::Tokenizer& t) {
  const tok::ResultRecord& r = t.TokenizeResult;
  auto base = std::make_unique<tok::Tokenizer>();
  base->SetSource(std::string("'{$TESSIC ") + std::to_string(r.LanguageVersion / 100) + "." +
                  std::to_string(r.LanguageVersion % 100 / 10) + "}\nEND\n");
  base->TokenizeResult.TargetModule = r.TargetModule;
  base->Tokenize(false, false, true);
  return base->SymbolTable.Count;
}

int PrintMap(const Options& options, tok::Tokenizer& t) {
  if (options.DirectivesOnly || !options.Values.count("--map")) return 0;
  const tok::ResultRecord& r = t.TokenizeResult;
  std::printf("%s", tok::BlockMap(r).c_str());
  if (r.TargetModule == tok::ModuleVD1) return 0;
  std::printf(
      "Variables (cells: words 0..15, bytes 0..31, nibs 0..63, bits 0..255; words 0..2 are INS, OUTS, "
      "DIRS):\n");
  std::printf("  declared: %d words, %d bytes, %d nibs, %d bits\n", r.VarCounts[3], r.VarCounts[2],
              r.VarCounts[1], r.VarCounts[0]);
  bool any = false;
  for (int i = FirstProgramSymbol(t); i < t.SymbolTable.Count; ++i) {
    const tok::Symbol& s = t.SymbolTable.Records[i];
    if (s.Kind != tok::Variable) continue;
    const uint16_t value = static_cast<uint16_t>(s.Value);
    const int size = (value >> 8) & 3, cell = value & 0xFF;
    std::printf("  %-32.*s %-4s %3d\n", static_cast<int>(s.NameLength), s.Name, SizeNames[size], cell);
    any = true;
  }
  if (!any) std::printf("  (none)\n");
  return 0;
}

const OutputRegistration step({30, "map", PrintMap});

}  // namespace
}  // namespace cli::tessic
