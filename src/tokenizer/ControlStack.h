#pragma once
// The structures open in the statement loop (IF, FOR, DO, SELECT), innermost on top, with a
// count per kind of structure for the nesting limits.

#include <cstdint>

namespace tok {

constexpr int NestingLimit = 16;  // per kind of structure
constexpr int ExitSlotCount = 16;

enum FrameKind : uint8_t {
  IfElsePartSingle = 0,  // single-line IF in its ELSE part
  IfAfterElseSingle = 1,
  IfThenPartSingle = 2,
  IfAfterThenSingle = 3,
  IfElsePart = 4,  // multi-line IF after ELSE
  IfThenPart = 5,  // multi-line IF before ELSE
  ForFrame = 6,
  DoFrame = 7,
  SelectFrame = 8,
};

struct ControlFrame {
  uint8_t Kind = 0;                        // a FrameKind; a single-line IF steps between its states
  uint16_t Start = 0;                      // element index of the opening keyword
  uint16_t SelectorStart = 0;              // SELECT: element index of the selector's first element
  uint16_t LoopAddress = 0;                // FOR/DO: code position of the loop's start
  uint16_t PendingJump = 0;                // reserved address field to patch, 0 none
  uint16_t CaseBodyStart = 0;              // SELECT: code position of the current CASE body, 0 before
  uint16_t ExitSlots[ExitSlotCount] = {};  // fields to patch at the end; the first 0 ends the list
};

class ControlStack {
 public:
  void Clear() { depth_ = 0, ifs_ = fors_ = dos_ = selects_ = 0; }
  // Opens a structure: the frame goes on top and counts under its kind.
  ControlFrame& Push(const ControlFrame& frame);
  void Pop();
  ControlFrame& Top() { return frames_[depth_ - 1]; }
  bool Empty() const { return depth_ == 0; }
  ControlFrame* InnermostLoop();  // the innermost FOR or DO, nullptr when none is open

  int OpenIfs() const { return ifs_; }
  int OpenFors() const { return fors_; }
  int OpenDos() const { return dos_; }
  int OpenSelects() const { return selects_; }

 private:
  uint8_t& CountOf(uint8_t kind);

  ControlFrame frames_[4 * NestingLimit];
  int depth_ = 0;
  uint8_t ifs_ = 0, fors_ = 0, dos_ = 0, selects_ = 0;
};

}  // namespace tok
