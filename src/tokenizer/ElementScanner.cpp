// Deleting elements from the list.

#include "tokenizer/ElementScanner.h"

namespace tok {

void ElementScanner::StartScan() {
  ElementIndex = 0;
  EndMark = 0;
  LastWasEnd = 1;
  ScanPos = 0;
}

void ElementScanner::DeleteElements(int first, int last) {
  if (first < 0) first = 0;
  for (int i = first; i <= last && i < ElementLimit; ++i) ElementList[i].Kind = Deleted;
}

// Deleted elements never come back to life, so each one's skipBack_ may jump straight to the
// live element found last time: runs of removed declarations are crossed once, not per removal.
int ElementScanner::LiveBefore(int index) {
  int live = index - 1;
  while (live >= 0 && ElementList[live].Kind == Deleted) live = skipBack_[live];
  for (int i = index - 1; i > live;) {
    const int next = skipBack_[i];
    skipBack_[i] = static_cast<int16_t>(live);
    i = next;
  }
  return live;
}

void ElementScanner::DeleteStatement(int first, int last) {
  DeleteElements(first, last);
  const int after = last + 1;
  if (after >= EndMark || ElementList[after].Kind != EndOfStatement) return;
  const int before = LiveBefore(first);
  // A removed line leaves no empty statement behind.
  if (before < 0 || ElementList[before].Kind == EndOfStatement) ElementList[after].Kind = Deleted;
}

}  // namespace tok
