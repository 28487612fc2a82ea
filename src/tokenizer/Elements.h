#pragma once
// Scanner elements and symbol records: the vocabulary every tokenizer pass speaks.

#include <cstdint>
#include <string_view>

namespace tok {

// The same byte is the Kind of an element and of a symbol record.
enum ElementKind : uint8_t {
  DirectiveWord = 0,
  ModuleName = 1,
  CondDirective = 2,
  Instruction = 3,
  ConWord = 4,
  Variable = 5,
  SizeWord = 6,
  Modifier = 7,
  NumFormat = 8,
  Comparison = 9,
  BinaryOperator = 10,
  UnaryOperator = 11,
  Constant = 12,
  Period = 13,
  Comma = 14,
  QuestionMark = 15,
  Backslash = 16,
  AtSign = 17,
  LeftParen = 18,
  LeftBracket = 19,
  RightBrace = 20,
  HashThen = 21,
  DataWord = 22,
  StepWord = 23,
  ToWord = 24,
  ThenWord = 25,
  WhileWord = 26,
  UntilWord = 27,
  PinWord = 28,
  VarWord = 29,
  AscWord = 30,
  Formatter = 31,
  RepWord = 32,
  SkipWord = 33,
  SpstrWord = 34,
  StrWord = 35,
  WaitWord = 36,
  WaitstrWord = 37,
  LogicalOperator = 38,
  NotWord = 39,
  RightParen = 40,
  RightBracket = 41,
  PinName = 42,
  Label = 43,
  DefinedName = 44,
  Text = 45,
  Unresolved = 46,
  EndOfStatement = 47,
  Deleted = 48,
};

struct Element {
  uint8_t Kind = EndOfStatement;
  uint16_t Value = 0;  // constant/symbol value; for EndOfStatement 0 line end or comment, 1 ':'
  uint16_t Start = 0;  // offset in Source
  uint8_t Length = 0;  // characters, modulo 256
};

constexpr int NameLimit = 32;

struct Symbol {
  uint8_t NameLength = 0;
  char Name[NameLimit] = {};  // upper case
  uint8_t Kind = Unresolved;
  int16_t Value = 0;
  int32_t Next = -1;  // hash chain link

  std::string_view NameView() const { return {Name, NameLength}; }
  void SetName(std::string_view name);  // cut to 32 characters
};

// A name rebuilt from the source: at most 32 characters, upper case, no allocation.
struct ShortName {
  uint8_t Length = 0;
  char Text[NameLimit] = {};
  std::string_view View() const { return {Text, Length}; }
};

constexpr int SymbolLimit = 1024;
constexpr int HashSize = 1024;

// Hash of a name: 32-bit FNV-1a over its upper-cased characters, folded to the table size.
// Names that differ in a few letters land in different chains.
constexpr int NameHash(std::string_view name) {
  uint32_t hash = 2166136261u;
  for (char c : name) {
    const auto byte = static_cast<uint8_t>(c);
    hash = (hash ^ ((byte >= 'a' && byte <= 'z') ? byte - 32u : byte)) * 16777619u;
  }
  return static_cast<int>((hash ^ (hash >> 16)) % HashSize);
}

// SymbolTable and DeclaredNames share this shape.
struct HashedSymbols {
  Symbol Records[SymbolLimit];
  int32_t Count = 0;
  int32_t Heads[HashSize];
  int32_t Tails[HashSize];  // last record of each chain, so appending never walks one

  void Clear();
  int Find(std::string_view name) const;  // index or -1
  bool Full() const { return Count >= SymbolLimit; }
  void Append(const Symbol& record);  // caller checks Full()
};

}  // namespace tok
