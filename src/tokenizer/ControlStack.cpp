// The statement loop's stack of open structures.

#include "tokenizer/ControlStack.h"

namespace tok {

uint8_t& ControlStack::CountOf(uint8_t kind) {
  switch (kind) {
    case ForFrame:
      return fors_;
    case DoFrame:
      return dos_;
    case SelectFrame:
      return selects_;
    default:
      return ifs_;
  }
}

ControlFrame& ControlStack::Push(const ControlFrame& frame) {
  ++CountOf(frame.Kind);
  frames_[depth_] = frame;
  return frames_[depth_++];
}

void ControlStack::Pop() {
  --CountOf(Top().Kind);
  --depth_;
}

ControlFrame* ControlStack::InnermostLoop() {
  for (int i = depth_ - 1; i >= 0; --i)
    if (frames_[i].Kind == ForFrame || frames_[i].Kind == DoFrame) return &frames_[i];
  return nullptr;
}

}  // namespace tok
