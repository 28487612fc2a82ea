#include "tokenizer/vd1/Vd1Symbols.h"

namespace tok::vd1 {

void UserSymbols::Clear() {
  symbols_.clear();
  index_.clear();
}

const UserSymbol* UserSymbols::Find(std::string_view name) const {
  auto found = index_.find(std::string(name));
  return found == index_.end() ? nullptr : &symbols_[found->second];
}

void UserSymbols::Add(std::string_view name, Kind kind, uint16_t value) {
  if (static_cast<int>(symbols_.size()) >= Limit) throw Failure{Error::SymbolTableFull};
  index_.emplace(std::string(name), static_cast<int>(symbols_.size()));
  symbols_.push_back({std::string(name), kind, value});
}

}  // namespace tok::vd1
