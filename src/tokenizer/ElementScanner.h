#pragma once
// The scanner's state: the element list built from the source, the read position the passes
// move along it, and the character position of the scan itself. Deleting elements marks them;
// the list never shrinks.

#include <cstdint>

#include "tokenizer/Elements.h"

namespace tok {

constexpr int ElementLimit = 10240;

struct ElementScanner {
  Element ElementList[ElementLimit];
  uint16_t ElementIndex = 0;  // read position of the passes
  uint16_t EndMark = 0;       // elements in the list; the scan appends here
  uint8_t LastWasEnd = 1;     // the last element added ends a statement
  int TokenStart = 0;         // start of the current token in Source
  int ScanPos = 0;            // current position in Source

  // Before a scan: an empty list, the scan at the start of the source.
  void StartScan();
  bool Full() const { return EndMark >= ElementLimit; }
  // The caller checks Full().
  void Append(const Element& element) {
    skipBack_[EndMark] = static_cast<int16_t>(EndMark - 1);
    ElementList[EndMark++] = element;
  }

  // Moves the read position onto the next element that is not deleted; false at the end.
  bool SkipDeleted() {
    while (ElementIndex < EndMark && ElementList[ElementIndex].Kind == Deleted) ++ElementIndex;
    return ElementIndex < EndMark;
  }
  // Marks elements first..last deleted.
  void DeleteElements(int first, int last);
  // Deletes a statement's elements, and its end too when that would leave an empty statement.
  void DeleteStatement(int first, int last);

 private:
  // The last element before `index` not deleted, -1 when none.
  int LiveBefore(int index);

  int16_t skipBack_[ElementLimit] = {};  // per deleted element: an earlier index, all deleted between
};

}  // namespace tok
