#pragma once
// The names a VD1 program defines: labels and SYMBOL aliases.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "tokenizer/vd1/Vd1Kinds.h"

namespace tok::vd1 {

struct UserSymbol {
  std::string name;  // upper case
  Kind kind;         // KLabel, KConstant or KVariable
  uint16_t value;
};

class UserSymbols {
 public:
  // The table holds 256 names. That is far more than a 256-byte program can jump to or alias,
  // and it keeps the whole list well inside the main symbol table that it is appended to.
  static constexpr int Limit = 256;

  void Clear();
  const UserSymbol* Find(std::string_view name) const;
  // "128-Symbol table full" beyond the limit.
  void Add(std::string_view name, Kind kind, uint16_t value);
  const std::vector<UserSymbol>& All() const { return symbols_; }

 private:
  std::vector<UserSymbol> symbols_;
  std::unordered_map<std::string, int> index_;
};

}  // namespace tok::vd1
