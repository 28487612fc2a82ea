// The conditional-compilation pass's stack of open #IF and #SELECT blocks.

#include "tokenizer/ConditionalStack.h"

namespace tok {

ConditionalFrame& ConditionalStack::Push(ConditionalFrame::Type kind, uint16_t start) {
  ++(kind == ConditionalFrame::Type::Select ? selects_ : ifs_);
  ConditionalFrame& frame = frames_[depth_++];
  frame = ConditionalFrame{};
  frame.Kind = kind;
  frame.Start = start;
  return frame;
}

void ConditionalStack::Pop() {
  --(Top().Kind == ConditionalFrame::Type::Select ? selects_ : ifs_);
  --depth_;
}

}  // namespace tok
