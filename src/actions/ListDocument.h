#pragma once
// The live document: everything an action list file holds, kept as fields and moved to and
// from its fixed 9240-byte layout byte by byte.
//
//   offset  size  field
//   0       1     header length (19)
//   1       19    header text "Rovalis Action List"
//   20      1     format version 0x13 (major in the high nibble, minor in the low)
//   21      1     mode: 1 saved in advanced mode, 0 in beginner mode
//   22      1     LeftServoCenter
//   23      1     RightServoCenter
//   24      9216  6 lists x 256 records x 6 bytes; list L record r at 24 + 1536 (L-1) + 6 r
//                 record: Kind, Value (int16 LE), BothSet, LeftSet, RightSet

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "actions/StepRecord.h"

namespace actions {

inline constexpr std::size_t kDocumentSize = 9240;
inline constexpr std::size_t kListsOffset = 24;
inline constexpr std::size_t kListBytes = kRecordsPerList * kStepRecordSize;  // 1536
inline constexpr std::string_view kHeaderText = "Rovalis Action List";
inline constexpr std::uint8_t kFormatVersion = 0x13;
inline constexpr std::uint8_t kDefaultServoCenter = 100;

static_assert(kListsOffset + kListCount * kListBytes == kDocumentSize);
static_assert(kHeaderText.size() == 19);

using DocumentBytes = std::array<std::uint8_t, kDocumentSize>;

struct ListDocument {
  std::uint8_t HeaderLength = kHeaderText.size();
  std::array<char, 19> HeaderText{};
  std::uint8_t FormatVersion = kFormatVersion;
  std::uint8_t Mode = 0;
  std::uint8_t LeftServoCenter = kDefaultServoCenter;
  std::uint8_t RightServoCenter = kDefaultServoCenter;
  std::array<StepList, kListCount> StepLists{};  // every record starts as the sentinel

  ListDocument();

  // List numbers are 1..6, rows 0..255 (0 is the sentinel).
  StepList& List(int list) { return StepLists[list - 1]; }
  const StepList& List(int list) const { return StepLists[list - 1]; }

  // The steps of a list: records 1 up to, not including, the first with a negative Value;
  // 255 when records 1..255 are all steps.
  int StepCount(int list) const;

  // Sets the header, version and mode bytes as a save writes them, and turns every record
  // behind each list's last step into a copy of the list's record 0.
  void PrepareForSave(bool advancedMode);

  bool operator==(const ListDocument&) const = default;
};

// The exact byte images, little-endian, field by field.
DocumentBytes ToBytes(const ListDocument& doc);
ListDocument FromBytes(std::span<const std::uint8_t, kDocumentSize> bytes);

void WriteRecord(const StepRecord& record, std::uint8_t* out);
StepRecord ReadRecord(const std::uint8_t* in);

}  // namespace actions
