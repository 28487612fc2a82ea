#pragma once
// Reads the robot data back out of a compiled image, the way the robot program walks it, and
// compares it with the document it was built from.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "actions/ListDocument.h"

namespace programs_test {

struct Entry {
  int Address = 0;
  char Letter = 0;
  int Value = 0;
};

struct DecodedList {
  int Start = 0;
  std::vector<Entry> Entries;  // the end byte "Q" not included
  int End = 0;                 // address of the end byte
};

struct DecodedData {
  int Mode = 0;
  int Reserved = 0;
  int LeftCentre = 0;
  int RightCentre = 0;
  std::array<int, 5> SetStarts{};  // addresses 4..13
  std::array<DecodedList, 6> Lists;
  std::string Problem;  // empty when every list ends inside the image
};

// Walks the six lists from address 14, each directly after the previous one.
DecodedData DecodeRobotData(const std::array<std::uint8_t, 2048>& image);

// Every difference between the decoded data and what `doc` asks for, one per line; empty when
// they agree. Go-to entries are followed the way the robot follows them (back value entries
// from the go-to entry), and in advanced mode the sets in force at each step, also after a
// jump back, must be the step's own.
std::string CompareWithDocument(const DecodedData& data, const actions::ListDocument& doc, bool advancedMode,
                                int mode);

}  // namespace programs_test
