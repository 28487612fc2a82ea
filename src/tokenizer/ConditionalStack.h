#pragma once
// The #IF and #SELECT blocks open in the conditional-compilation pass, innermost on top. Each
// frame knows which of its parts is kept, so the pass can delete the others.

#include <cstdint>

#include "tokenizer/ControlStack.h"

namespace tok {

struct ConditionalFrame {
  enum class Type : uint8_t { IfThen, IfElse, Select };
  // #SELECT: no #CASE taken yet, inside the taken one, or after it.
  enum class CaseState : uint8_t { NoneTaken, InTaken, AfterTaken };

  Type Kind = Type::IfThen;
  uint16_t Start = 0;  // element index of the #IF or #SELECT
  // #IF
  bool Skipping = false;  // the current part is removed
  uint16_t SkipFrom = 0;  // first element of the part to remove
  // #SELECT
  uint16_t SelectorStart = 0;  // element index of the selector's first element
  CaseState Cases = CaseState::NoneTaken;
  uint16_t KeepUntil = 0;  // end element of the taken #CASE line: all before it goes
  uint16_t SkipRest = 0;   // where the part after the taken case begins, 0 unset

  // Directives inside an inactive part (#DEFINE, #ERROR) are not carried out.
  bool Inactive() const { return Kind == Type::Select ? Cases != CaseState::InTaken : Skipping; }
};

class ConditionalStack {
 public:
  void Clear() { depth_ = 0, ifs_ = selects_ = 0; }
  ConditionalFrame& Push(ConditionalFrame::Type kind, uint16_t start);
  void Pop();
  ConditionalFrame& Top() { return frames_[depth_ - 1]; }
  bool Empty() const { return depth_ == 0; }
  int OpenIfs() const { return ifs_; }
  int OpenSelects() const { return selects_; }

 private:
  ConditionalFrame frames_[2 * NestingLimit];
  int depth_ = 0;
  uint8_t ifs_ = 0, selects_ = 0;
};

}  // namespace tok
