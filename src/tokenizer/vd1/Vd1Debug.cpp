// DEBUG: the module only reports that it reached the statement; what a debug display on the
// PC shows for it is kept in the 1024-byte debug text area.
//
// Debug text area layout:
//   bytes 0..4n-1   one entry per DEBUG statement, in program order: the code bit position
//                   of the statement (16 bits) and the offset of its description in the area
//                   (16 bits), both low byte first
//   then            the descriptions, each ended by a 0 byte. A description is its items in
//                   order:
//                     variable    0x01, 0x40 + the 6-bit variable code, the format code
//                                 (' ' plain, or the last of '#', '$', '%', '@' written
//                                 before it), and unless the format is '#' the name as
//                                 written (upper case) followed by " = "
//                     text        the characters between double quotes, quotes included
//                     CLS, CR     0x02 and the word's value (1, 2)

#include "tokenizer/vd1/Vd1Compiler.h"

namespace tok::vd1 {

namespace {

constexpr char VariableItem = 0x01;
constexpr char DebugWordItem = 0x02;
constexpr int EntryBytes = 4;

void PutWord(std::array<uint8_t, DebugAreaSize>& area, int at, int value) {
  area[at] = static_cast<uint8_t>(value & 0xFF);
  area[at + 1] = static_cast<uint8_t>((value >> 8) & 0xFF);
}

bool IsControlCharacter(uint16_t code) {
  return code < 32 || code == 127;
}

}  // namespace

void Compiler::CompileDebug(int statementStart) {
  const int next = ReserveNext();
  const std::string description = ReadDebugItems();
  PatchNext(next);
  RecordDebug(statementStart, description);
}

std::string Compiler::ReadDebugItems() {
  std::string description;
  for (;;) {
    Token item = Next();
    char format = ' ';
    bool formatted = false;
    while (item.kind == KHash || item.kind == KNumberPrefix) {
      format = scanner_.TextOf(item)[0];
      formatted = true;
      item = Next();
    }
    if (item.kind == KVariable) {
      description += VariableItem;
      description += static_cast<char>(0x40 + item.value);
      description += format;
      if (format != '#') description += scanner_.UpperName(item) + " = ";
    } else if (!formatted && item.kind == KConstant && item.quoted) {
      description += '"';
      for (;;) {
        if (IsControlCharacter(item.value)) throw Failure{Error::IllegalTextCharacter};
        description += static_cast<char>(item.value);
        const Token following = Peek();
        if (following.kind != KComma || !following.quoted) break;
        Next();
        item = Next();
      }
      description += '"';
    } else if (!formatted && item.kind == KDebugWord) {
      description += DebugWordItem;
      description += static_cast<char>(item.value);
    } else {
      throw Failure{Error::ExpectedDebugItem};
    }
    const Token separator = Peek();
    if (IsStatementEnd(separator)) return description;
    Next();
    if (!IsListComma(separator)) throw Failure{Error::ExpectedCommaOrEnd};
  }
}

// The first pass checks that the entries and descriptions fit; the second writes them, the
// descriptions after the entries of all DEBUG statements.
void Compiler::RecordDebug(int statementStart, const std::string& description) {
  const int size = static_cast<int>(description.size()) + 1;
  if (pass_ == 1) {
    ++debugCount_;
    debugBytes_ += size;
    if (EntryBytes * debugCount_ + debugBytes_ > DebugAreaSize) throw Failure{Error::DebugBufferFull};
    return;
  }
  const int offset = EntryBytes * debugTotal_ + debugBytes_;
  PutWord(out_.DebugText, EntryBytes * debugCount_, statementStart);
  PutWord(out_.DebugText, EntryBytes * debugCount_ + 2, offset);
  for (int i = 0; i < size - 1; ++i) out_.DebugText[offset + i] = static_cast<uint8_t>(description[i]);
  out_.DebugText[offset + size - 1] = 0;
  ++debugCount_;
  debugBytes_ += size;
}

}  // namespace tok::vd1
