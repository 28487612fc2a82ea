#pragma once
// The VD1 dialect's keyword table: 147 fixed entries, searched by upper-case name.

#include <cstdint>
#include <optional>
#include <string_view>

#include "tokenizer/vd1/Vd1Kinds.h"

namespace tok::vd1 {

struct Keyword {
  std::string_view name;
  Kind kind;
  uint16_t value;
};

constexpr int KeywordCount = 147;

// The entry of an upper-case name (a word, or a one- or two-character operator).
std::optional<Keyword> FindKeyword(std::string_view name);

// The whole table, for checks and listings.
const Keyword* KeywordTable();

}  // namespace tok::vd1
