// --map on the VD1: after the block map, the program header and the names the program
// defined (labels at their code bit positions, SYMBOL names with what they alias).

#include <cstdio>
#include <string>

#include "Tessic.h"
#include "tokenizer/Tokenizer.h"
#include "tokenizer/vd1/Vd1Keywords.h"

namespace cli::tessic {
namespace {

std::string RegisterName(int code) {
  const tok::vd1::Keyword* table = tok::vd1::KeywordTable();
  for (int i = 0; i < tok::vd1::KeywordCount; ++i)
    if (table[i].kind == tok::vd1::KVariable && table[i].value == code) return std::string(table[i].name);
  return "cell " + std::to_string(code);
}

int PrintVd1Map(const Options& options, tok::Tokenizer& t) {
  const tok::ResultRecord& r = t.TokenizeResult;
  if (options.DirectivesOnly || !options.Values.count("--map") || r.TargetModule != tok::ModuleVD1) return 0;
  // Bits 0..7 of the code (EEPROM 255) name the lowest address in use; bits 8..18 the start of
  // the GOSUB return table, which is also where the code ends.
  const int returnTable = (r.EEPROM[254] << 3) | (r.EEPROM[253] >> 5);
  std::printf("Program: addresses %d..255; code and END up to bit %d, where the GOSUB return table starts\n",
              r.EEPROM[255], returnTable);
  std::printf("Names:\n");
  bool any = false;
  for (int i = 0; i < t.SymbolTable.Count; ++i) {
    const tok::Symbol& s = t.SymbolTable.Records[i];
    const int name = static_cast<int>(s.NameLength);
    if (s.Kind == tok::Label) {
      std::printf("  %-32.*s label    bit %d\n", name, s.Name, s.Value);
    } else if (s.Kind == tok::Variable) {
      std::printf("  %-32.*s variable %s\n", name, s.Name, RegisterName(s.Value).c_str());
    } else if (s.Kind == tok::Constant) {
      std::printf("  %-32.*s constant %d\n", name, s.Name, static_cast<uint16_t>(s.Value));
    } else {
      continue;
    }
    any = true;
  }
  if (!any) std::printf("  (none)\n");
  return 0;
}

const OutputRegistration step({31, "vd1 map", PrintVd1Map});

}  // namespace
}  // namespace cli::tessic
