#pragma once
// The program's names: the symbol table (keywords, directives and declared names with their
// kinds and values) and DeclaredNames, the names the source declares somewhere, so a name used
// before its declaration can be told from one never declared.

#include <cstdint>
#include <string_view>

#include "tokenizer/Elements.h"

namespace tok {

// What a lookup found: the kind and value of the name, Unresolved when it has none yet.
struct LookupResult {
  uint8_t Kind = Unresolved;
  int16_t Value = 0;
  bool DeclaredLater = false;  // unresolved, but declared elsewhere in the source
};

class SymbolTables {
 public:
  SymbolTables() { Clear(); }
  void Clear();

  // Each adder returns false, adding nothing, when its table is full.
  bool Add(const Symbol& record);
  bool AddDeclaredName(std::string_view name);

  int Find(std::string_view name) const { return Symbols.Find(name); }  // index or -1
  int FindDeclaredName(std::string_view name) const { return DeclaredNames.Find(name); }
  LookupResult Lookup(std::string_view name) const;
  bool SetValue(std::string_view name, int16_t value);  // false when the name is not there
  bool Full() const { return Symbols.Full(); }

  HashedSymbols Symbols;
  HashedSymbols DeclaredNames;
};

}  // namespace tok
