// The VD1 path of Tokenize: run the VD1 compiler on the copy of the source taken after the
// first scan, and copy its outcome into TokenizeResult.

#include <algorithm>
#include <cstring>

#include "tokenizer/Passes.h"
#include "tokenizer/Tokenizer.h"
#include "tokenizer/vd1/Vd1.h"

namespace tok {

struct Vd1WorkRecord {
  vd1::Outcome outcome;
};

void Vd1WorkDeleter::operator()(Vd1WorkRecord* record) const {
  delete record;
}

namespace {

uint8_t SymbolKindOf(vd1::Kind kind) {
  switch (kind) {
    case vd1::KLabel:
      return Label;
    case vd1::KVariable:
      return Variable;
    default:
      return Constant;
  }
}

}  // namespace

void TokenizeVd1(Tokenizer& t) {
  if (!t.Vd1Work) t.Vd1Work.reset(new Vd1WorkRecord);
  vd1::Outcome& outcome = t.Vd1Work->outcome;
  vd1::Compile(t.Vd1Source, t.Vd1SourceSize, outcome);

  ResultRecord& r = t.TokenizeResult;
  r.Success = outcome.Success ? 1 : 0;
  r.DebugCount = outcome.DebugCount;
  r.DebugFlag = outcome.DebugCount > 0 ? 1 : 0;
  r.ErrorStart = outcome.ErrorStart;
  r.ErrorLength = outcome.ErrorLength;
  std::fill(std::begin(r.VarCounts), std::end(r.VarCounts), 0);
  std::fill(std::begin(t.NextVarCell), std::end(t.NextVarCell), 0);
  t.VarBitsTotal = 0;
  std::copy(outcome.ModuleBytes.begin(), outcome.ModuleBytes.end(), r.ModuleBytes);
  std::copy(outcome.EEPROM.begin(), outcome.EEPROM.end(), r.EEPROM);
  std::copy(outcome.EEPROMFlags.begin(), outcome.EEPROMFlags.end(), r.EEPROMFlags);
  // The module takes its whole image as one block, highest address first.
  for (int i = 0; i < vd1::ImageSize; ++i) r.PacketBuffer[i] = outcome.EEPROM[vd1::ImageSize - 1 - i];
  r.PacketCount = r.Success;

  for (const vd1::UserSymbol& name : outcome.Symbols) {
    Symbol record;
    record.SetName(name.name);
    record.Kind = SymbolKindOf(name.kind);
    record.Value = static_cast<int16_t>(name.value);
    t.AddSymbol(record);
  }

  if (!outcome.Success) t.RaiseErrorText(outcome.ErrorText);
  std::memcpy(r.Source + SourceCapacity - vd1::DebugAreaSize, outcome.DebugText.data(), vd1::DebugAreaSize);
}

}  // namespace tok
