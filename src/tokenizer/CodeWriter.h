#pragma once
// The object code's bookkeeping: the bit position the next code goes to, where each DATA byte
// came from in the source (for the overlap error), the label references still to resolve, and
// the GOSUB return numbers.

#include <cstdint>

#include "tokenizer/ElementScanner.h"
#include "tokenizer/TokenizeResult.h"

namespace tok {

struct SourcePos {
  uint16_t Start = 0;
  uint16_t Length = 0;
};

struct Fixup {
  uint16_t ElementIndex = 0;  // the label name
  uint16_t Position = 0;      // the reserved address field
};

struct CodeWriter {
  // Before the statement loop: code starts after the table of `gosubs` return addresses.
  void Start(int firstBit) { BitPos = static_cast<uint16_t>(firstBit), FixupCount = 0, GosubsWritten = 0; }
  void Clear() { Start(0), GosubTotal = 0; }
  void AddFixup(uint16_t elementIndex) { FixupList[FixupCount++] = Fixup{elementIndex, BitPos}; }
  // Numbers the next GOSUB, 1 for the first.
  int NextGosubNumber() { return ++GosubsWritten; }

  uint16_t BitPos = 0;                   // bits written, counted from the image's top address
  SourcePos SourcePosTable[EEPROMSize];  // per DATA byte: the item that wrote it
  Fixup FixupList[ElementLimit];
  int FixupCount = 0;
  int GosubTotal = 0;     // GOSUBs in the program, counted before the statement loop
  int GosubsWritten = 0;  // GOSUBs compiled so far
};

}  // namespace tok
