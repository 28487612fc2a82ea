#include "actions/ListDocument.h"

#include <algorithm>

namespace actions {

ListDocument::ListDocument() {
  std::copy(kHeaderText.begin(), kHeaderText.end(), HeaderText.begin());
  for (auto& list : StepLists) list.fill(kSentinel);
}

int ListDocument::StepCount(int list) const {
  const StepList& records = List(list);
  for (int r = 1; r < kRecordsPerList; ++r)
    if (records[r].Value < 0) return r - 1;
  return kMaxSteps;
}

void ListDocument::PrepareForSave(bool advancedMode) {
  HeaderLength = kHeaderText.size();
  std::copy(kHeaderText.begin(), kHeaderText.end(), HeaderText.begin());
  FormatVersion = kFormatVersion;
  Mode = advancedMode ? 1 : 0;
  for (int list = 1; list <= kListCount; ++list) {
    StepList& records = List(list);
    for (int r = StepCount(list) + 1; r < kRecordsPerList; ++r) records[r] = records[0];
  }
}

void WriteRecord(const StepRecord& record, std::uint8_t* out) {
  auto value = static_cast<std::uint16_t>(record.Value);
  out[0] = record.Kind;
  out[1] = static_cast<std::uint8_t>(value & 0xFF);
  out[2] = static_cast<std::uint8_t>(value >> 8);
  out[3] = record.BothSet;
  out[4] = record.LeftSet;
  out[5] = record.RightSet;
}

StepRecord ReadRecord(const std::uint8_t* in) {
  StepRecord record;
  record.Kind = in[0];
  record.Value = static_cast<std::int16_t>(static_cast<std::uint16_t>(in[1] | (in[2] << 8)));
  record.BothSet = in[3];
  record.LeftSet = in[4];
  record.RightSet = in[5];
  return record;
}

DocumentBytes ToBytes(const ListDocument& doc) {
  DocumentBytes bytes{};
  bytes[0] = doc.HeaderLength;
  std::copy(doc.HeaderText.begin(), doc.HeaderText.end(), bytes.begin() + 1);
  bytes[20] = doc.FormatVersion;
  bytes[21] = doc.Mode;
  bytes[22] = doc.LeftServoCenter;
  bytes[23] = doc.RightServoCenter;
  std::uint8_t* out = bytes.data() + kListsOffset;
  for (const auto& list : doc.StepLists)
    for (const auto& record : list) {
      WriteRecord(record, out);
      out += kStepRecordSize;
    }
  return bytes;
}

ListDocument FromBytes(std::span<const std::uint8_t, kDocumentSize> bytes) {
  ListDocument doc;
  doc.HeaderLength = bytes[0];
  std::copy(bytes.begin() + 1, bytes.begin() + 20, doc.HeaderText.begin());
  doc.FormatVersion = bytes[20];
  doc.Mode = bytes[21];
  doc.LeftServoCenter = bytes[22];
  doc.RightServoCenter = bytes[23];
  const std::uint8_t* in = bytes.data() + kListsOffset;
  for (auto& list : doc.StepLists)
    for (auto& record : list) {
      record = ReadRecord(in);
      in += kStepRecordSize;
    }
  return doc;
}

}  // namespace actions
