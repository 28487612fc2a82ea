// The declaration passes: PIN and CON names, DATA (the EEPROM contents) and VAR (RAM cells).
// Each pass walks the whole element list statement by statement and deletes the lines it has
// completely handled, so the statement loop sees only statements and labels.

#include "tokenizer/Passes.h"
#include "tokenizer/StatementCode.h"
#include "tokenizer/Tokenizer.h"

namespace tok {
namespace code {
namespace {

constexpr int ErrOutOfRange = 13, ErrContainsData = 14, ErrSymbolDefined = 24, ErrArraySizeZero = 26,
              ErrOutOfVariableSpace = 27, ErrPinNumber = 78;
constexpr int VariableBits = 208;  // words 3..15
constexpr int SizeBits[4] = {1, 4, 8, 16};
constexpr int LastAddress = EEPROMSize - 1;

// Reads the statement's end; returns the index of its last element before the end.
int RequireEndOfStatement(Tokenizer& t, int errorRow) {
  if (!IsEnd(Next(t))) t.RaiseTokenizeError(errorRow);
  return t.Scan.ElementIndex - 2;
}

// A declared name must still be new. The error marks the name.
void RequireNewName(Tokenizer& t, const Element& name) {
  if (name.Kind != Unresolved) t.RaiseTokenizeError(ErrSymbolDefined);
}

void Define(Tokenizer& t, const ShortName& name, uint8_t kind, uint16_t value) {
  Symbol record;
  record.SetName(name.View());
  record.Kind = kind;
  record.Value = static_cast<int16_t>(value);
  t.AddSymbol(record);
}

uint16_t KnownValue(Tokenizer& t) {
  return t.ConstValue(true, false).Value;
}

// Declaration keywords are in the symbol table before the full scan, so the element list
// already holds them with their kinds: statements are recognised and passed over without
// looking names up again.
int LiveFrom(const Tokenizer& t, int i) {
  while (i < t.Scan.EndMark && t.Scan.ElementList[i].Kind == Deleted) ++i;
  return i;
}

int PastStatement(const Tokenizer& t, int i) {
  while (i < t.Scan.EndMark && t.Scan.ElementList[i].Kind != EndOfStatement) ++i;
  return i < t.Scan.EndMark ? i + 1 : i;
}

// Kind of the second live element of the statement starting at `first`.
uint8_t SecondKind(const Tokenizer& t, int first) {
  const int second = LiveFrom(t, first + 1);
  return second < t.Scan.EndMark ? t.Scan.ElementList[second].Kind : static_cast<uint8_t>(EndOfStatement);
}

// Calls `line(first, name)` for each statement whose second element has kind `word`, with
// ElementIndex after that word; other statements are passed over.
template <typename Handler>
void ForEachDeclaration(Tokenizer& t, uint8_t word, Handler line) {
  t.Scan.ElementIndex = 0;
  for (;;) {
    const int first = LiveFrom(t, t.Scan.ElementIndex);
    if (first >= t.Scan.EndMark) break;
    if (t.Scan.ElementList[first].Kind != EndOfStatement && SecondKind(t, first) == word) {
      t.Scan.ElementIndex = static_cast<uint16_t>(first);
      const Element name = Next(t);
      RequireNewName(t, name);
      Next(t);
      line(first, name);
    } else {
      t.Scan.ElementIndex = static_cast<uint16_t>(PastStatement(t, first));
    }
  }
}

// ---- PIN and CON --------------------------------------------------------------------------

void NamedConstantPass(Tokenizer& t, uint8_t word, int pass) {
  ForEachDeclaration(t, word, [&](int first, const Element& name) {
    const int exprFirst = NextLiveIndex(t);
    const auto [known, value] = t.ConstValue(pass == 1, false);
    if (!known) {
      RequireEndOfStatement(t, ErrExpectedEnd);  // left for the second pass
      return;
    }
    if (word == PinWord && value > 15) {
      const Element& from = t.Scan.ElementList[exprFirst];
      const Element& to = t.Scan.ElementList[LastReadIndex(t)];
      t.TokenizeResult.ErrorStart = from.Start;
      t.TokenizeResult.ErrorLength = to.Start + to.Length - from.Start;
      t.RaiseTokenizeError(ErrPinNumber);
    }
    Define(t, t.ElementName(name), word == PinWord ? PinName : Constant, value);
    t.DeleteStatement(first, RequireEndOfStatement(t, ErrExpectedEnd));
  });
}

// ---- DATA ---------------------------------------------------------------------------------

struct DataPass {
  Tokenizer& t;
  int pass;
  int pointer = 0;
  bool namePending = false;
  ShortName pendingName;

  void DefinePending() {
    if (!namePending) return;
    namePending = false;
    if (pass == 0) Define(t, pendingName, Constant, static_cast<uint16_t>(pointer));
  }

  // One item: `bytes` 1 or 2, low byte first; reserved items keep their image bytes 0.
  void WriteItem(int bytes, uint16_t value, bool reserved, const Element& itemFirst) {
    for (int b = 0; b < bytes; ++b) {
      if (pointer > LastAddress) t.RaiseTokenizeError(ErrOutOfRange);
      if (pass == 1) {
        ResultRecord& r = t.TokenizeResult;
        if (r.EEPROMFlags[pointer] & FlagUseMask) t.RaiseTokenizeError(ErrContainsData);
        r.EEPROMFlags[pointer] = reserved ? FlagReserved : FlagData;
        if (!reserved) r.EEPROM[pointer] = static_cast<uint8_t>(b == 0 ? value & 0xFF : value >> 8);
        t.Code.SourcePosTable[pointer] = SourcePos{itemFirst.Start, itemFirst.Length};
      }
      ++pointer;
    }
  }

  uint16_t Count() {
    const uint16_t count = KnownValue(t);
    Expect(t, RightParen, ErrExpectedRightParen);
    return count;
  }

  void Item() {
    const Element itemFirst = Peek(t);  // its position marks the bytes it fills
    if (itemFirst.Kind == AtSign) {
      Next(t);
      const uint16_t address = KnownValue(t);
      if (address > LastAddress) t.RaiseTokenizeError(ErrOutOfRange);
      pointer = address;
      DefinePending();
      return;
    }
    DefinePending();
    int bytes = 1;
    if (itemFirst.Kind == SizeWord && itemFirst.Value == SizeWordWord) {
      Next(t);
      bytes = 2;
    }
    if (TakeIf(t, LeftParen)) {
      const uint16_t count = Count();
      for (int i = 0; i < count; ++i) WriteItem(bytes, 0, true, itemFirst);
      return;
    }
    const uint16_t value = t.ConstValue(pass == 1, false).Value;
    int count = 1;
    if (TakeIf(t, LeftParen)) count = Count();
    for (int i = 0; i < count; ++i) WriteItem(bytes, value, false, itemFirst);
  }

  void Run() {
    t.Scan.ElementIndex = 0;
    for (;;) {
      int first = LiveFrom(t, t.Scan.ElementIndex);
      if (first >= t.Scan.EndMark) break;
      const uint8_t kind = t.Scan.ElementList[first].Kind;
      if (kind != DataWord && (kind == EndOfStatement || SecondKind(t, first) != DataWord)) {
        t.Scan.ElementIndex = static_cast<uint16_t>(PastStatement(t, first));
        continue;
      }
      t.Scan.ElementIndex = static_cast<uint16_t>(first);
      const Element e = Next(t);
      if (e.Kind != DataWord) {
        RequireNewName(t, e);
        pendingName = t.ElementName(e);
        namePending = true;
        t.DeleteElements(first, first);
        first = NextLiveIndex(t);
        Next(t);
      }
      Line(first);
    }
  }

  void Line(int first) {
    if (IsEnd(Peek(t))) {
      DefinePending();
    } else {
      for (;;) {
        Item();
        const Element sep = Next(t);
        if (sep.Kind == Comma) continue;
        if (IsEnd(sep)) break;
        t.RaiseTokenizeError(ErrExpectedCommaOrEnd);
      }
      t.Scan.ElementIndex = static_cast<uint16_t>(LastReadIndex(t));  // back onto the end
    }
    const int last = RequireEndOfStatement(t, ErrExpectedCommaOrEnd);
    if (pass == 1) t.DeleteStatement(first, last);
  }
};

// ---- VAR ----------------------------------------------------------------------------------

void VarPass(Tokenizer& t, int pass) {
  ResultRecord& r = t.TokenizeResult;
  ForEachDeclaration(t, VarWord, [&](int first, const Element& name) {
    Element target = Next(t);
    if (target.Kind == SizeWord) {
      const int size = target.Value & 3;
      int count = 1;
      if (TakeIf(t, LeftParen)) {
        count = KnownValue(t);
        if (count == 0) t.RaiseTokenizeError(ErrArraySizeZero);
        Expect(t, RightParen, ErrExpectedRightParen);
      }
      const int last = RequireEndOfStatement(t, ErrExpectedEnd);
      if (pass == 0) {
        if (count > 255) t.RaiseTokenizeError(ErrOutOfVariableSpace);
        r.VarCounts[size] = static_cast<uint8_t>(r.VarCounts[size] + count);
        const int bits = count * SizeBits[size];
        if (bits > 255 || t.VarBitsTotal + bits > 255) t.RaiseTokenizeError(ErrOutOfVariableSpace);
        t.VarBitsTotal = static_cast<uint8_t>(t.VarBitsTotal + bits);
        if (t.VarBitsTotal > VariableBits) t.RaiseTokenizeError(ErrOutOfVariableSpace);
        return;
      }
      Define(t, t.ElementName(name), Variable, static_cast<uint16_t>(size * 256 + t.NextVarCell[size]));
      t.NextVarCell[size] = static_cast<uint8_t>(t.NextVarCell[size] + count);
      t.DeleteStatement(first, last);
      return;
    }
    if (target.Kind == Variable) {
      t.ApplyModifiers(target);
      const int last = RequireEndOfStatement(t, ErrExpectedEnd);
      Define(t, t.ElementName(name), Variable, target.Value);
      t.DeleteStatement(first, last);
      return;
    }
    if (target.Kind == Unresolved) {
      if (pass == 1) t.RaiseTokenizeError(ErrUndefinedSymbol);
      target.Kind = Variable;  // the modifiers are checked as if the target were a word
      target.Value = 3 * 256;
      t.ApplyModifiers(target);
      RequireEndOfStatement(t, ErrExpectedEnd);
      return;
    }
    t.RaiseTokenizeError(ErrExpectedVariable);
  });
}

// Words from cell 3, then bytes, nibs and bits, each group in its own units without gaps.
void AssignStartCells(Tokenizer& t) {
  const uint8_t* counts = t.TokenizeResult.VarCounts;
  int next = 3;
  t.NextVarCell[3] = static_cast<uint8_t>(next);
  next += counts[3];
  const int byteStart = next * 2;
  t.NextVarCell[2] = static_cast<uint8_t>(byteStart);
  const int nibStart = (byteStart + counts[2]) * 2;
  t.NextVarCell[1] = static_cast<uint8_t>(nibStart);
  t.NextVarCell[0] = static_cast<uint8_t>((nibStart + counts[1]) * 4);
}

}  // namespace
}  // namespace code

void RunDeclarationPasses(Tokenizer& t) {
  using namespace code;
  for (auto& c : t.TokenizeResult.VarCounts) c = 0;
  for (auto& c : t.NextVarCell) c = 0;
  t.VarBitsTotal = 0;

  NamedConstantPass(t, PinWord, 0);
  NamedConstantPass(t, ConWord, 0);
  DataPass{t, 0, 0, false, {}}.Run();
  NamedConstantPass(t, ConWord, 1);
  NamedConstantPass(t, PinWord, 1);
  DataPass{t, 1, 0, false, {}}.Run();
  VarPass(t, 0);
  AssignStartCells(t);
  VarPass(t, 1);
}

}  // namespace tok
