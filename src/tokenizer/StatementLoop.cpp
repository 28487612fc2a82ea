// The code-generation pass: labels, statements, the GOSUB return table and the fix-ups of
// labels used before their definition.

#include "tokenizer/BitLayout.h"
#include "tokenizer/Passes.h"
#include "tokenizer/StatementCode.h"
#include "tokenizer/StatementCompilers.h"
#include "tokenizer/Tokenizer.h"

namespace tok {
namespace code {
namespace {

constexpr int GosubLimit = 255;

}  // namespace

void CountGosubsPass(Tokenizer& t) {
  // Keywords keep the kind the scanner gave them, so the list is read as it stands.
  t.Code.GosubTotal = 0;
  for (int i = 0; i < t.Scan.EndMark; ++i) {
    const Element& e = t.Scan.ElementList[i];
    if (e.Kind == Instruction && e.Value == KwGosub && ++t.Code.GosubTotal > GosubLimit) {
      t.Scan.ElementIndex = static_cast<uint16_t>(i);
      Next(t);  // the error marks this GOSUB
      t.RaiseTokenizeError(ErrGosubLimit);
    }
  }
}

namespace {

// A name at the start of a statement becomes a label at the current code position.
void DefineLabel(Tokenizer& t, const Element& name) {
  Symbol label;
  label.SetName(t.ElementName(name).View());
  label.Kind = Label;
  label.Value = static_cast<int16_t>(t.Code.BitPos);
  t.AddSymbol(label);
  if (t.LanguageIs25) {
    Element after;
    if (t.PeekElement(after) && !(after.Kind == EndOfStatement && after.Value == 1))
      t.RaiseTokenizeError(ErrLabelMissingColon);
  }
}

}  // namespace

void StatementLoopPass(Tokenizer& t) {
  t.Scan.ElementIndex = 0;
  t.Structures.Clear();
  t.TokenizeResult.DebugFlag = 0;
  t.Code.Start((t.Code.GosubTotal + 1) * layout::AddressFieldBits);

  bool anyStatement = false;
  Element e;
  while (t.NextElement(e)) {
    if (e.Kind == Label) t.RaiseTokenizeError(ErrLabelDefined);
    if (e.Kind == Unresolved) {
      DefineLabel(t, e);
    } else {
      if (!anyStatement) {
        anyStatement = true;
        PatchHere(t, 0);  // return table field 0: the first statement
      }
      if (e.Kind == Variable || e.Kind == PinName) {
        t.Scan.ElementIndex = static_cast<uint16_t>(LastReadIndex(t));
        CompileLet(t);
      } else if (e.Kind != Instruction || !CompileInstruction(t, e.Value)) {
        t.RaiseTokenizeError(ErrExpectedStatement);
      }
    }
    FinishStatement(t);
  }
  if (anyStatement) EmitInstruction(t, OpEnd);
  CheckUnclosedStructures(t);
}

void ResolveFixupsPass(Tokenizer& t) {
  for (int i = 0; i < t.Code.FixupCount; ++i) {
    const Fixup& fixup = t.Code.FixupList[i];
    t.Scan.ElementIndex = fixup.ElementIndex;
    const Element name = Next(t);
    if (name.Kind == Unresolved) t.RaiseTokenizeError(ErrUndefinedLabel);
    PatchField(t, fixup.Position, static_cast<uint16_t>(name.Value));
  }
}

}  // namespace code

void CountGosubs(Tokenizer& t) {
  code::CountGosubsPass(t);
}
void StatementLoop(Tokenizer& t) {
  code::StatementLoopPass(t);
}
void ResolveFixups(Tokenizer& t) {
  code::ResolveFixupsPass(t);
}

}  // namespace tok
