#include "actions/FileFormat.h"

#include <algorithm>
#include <cerrno>

#include "actions/ActionKind.h"
#include "actions/FileReader.h"
#include "actions/ValueRules.h"

namespace actions {

namespace {

LoadResult Refuse(LoadStatus status, std::string text = {}) {
  LoadResult result;
  result.Status = status;
  if (!text.empty()) result.Message = UiMessage::Plain(std::move(text));
  return result;
}

bool HeaderMatches(std::span<const std::uint8_t> bytes) {
  if (bytes[0] != kHeaderText.size()) return false;
  return std::equal(kHeaderText.begin(), kHeaderText.end(), bytes.begin() + 1,
                    [](char c, std::uint8_t b) { return static_cast<std::uint8_t>(c) == b; });
}

// Everything that is used as an index or written to the robot must be in range.
bool StepsAreProper(const ListDocument& doc) {
  for (int list = 1; list <= kListCount; ++list) {
    const StepList& records = doc.List(list);
    for (int r = 1, n = doc.StepCount(list); r <= n; ++r) {
      const StepRecord& step = records[r];
      if (!IsValidKind(step.Kind)) return false;
      if (step.BothSet >= kSensorSetCount || step.LeftSet >= kSensorSetCount ||
          step.RightSet >= kSensorSetCount)
        return false;
    }
  }
  return true;
}

void Normalise(ListDocument& doc) {
  for (int list = 1; list <= kListCount; ++list) {
    StepList& records = doc.List(list);
    const int n = doc.StepCount(list);
    records[0] = kSentinel;
    for (int r = 1; r <= n; ++r) records[r].Value = ClampToLimits(records[r].kind(), r, records[r].Value);
    for (int r = n + 1; r < kRecordsPerList; ++r) records[r] = kSentinel;
  }
}

}  // namespace

std::string VersionMessage(std::uint8_t version) {
  return "Can not open Rovalis file.  File format is version " + std::to_string(version >> 4) + "." +
         std::to_string(version & 15) + ".  Expected version " + std::to_string(kFormatVersion >> 4) + "." +
         std::to_string(kFormatVersion & 15) + ".";
}

LoadResult LoadDocument(std::span<const std::uint8_t> bytes, bool advancedMode) {
  if (bytes.size() < kDocumentSize || !HeaderMatches(bytes))
    return Refuse(LoadStatus::NotProperFormat, kNotProperFormatMessage);
  if (bytes[20] != kFormatVersion) return Refuse(LoadStatus::OtherVersion, VersionMessage(bytes[20]));
  if (!advancedMode && bytes[21] != 0) return Refuse(LoadStatus::AdvancedFile, kAdvancedFileMessage);
  ListDocument doc = FromBytes(bytes.first<kDocumentSize>());
  if (!StepsAreProper(doc)) return Refuse(LoadStatus::NotProperFormat, kNotProperFormatMessage);
  Normalise(doc);
  LoadResult result;
  result.Document = doc;
  return result;
}

DocumentBytes SaveDocument(const ListDocument& doc, bool advancedMode) {
  ListDocument saved = doc;
  saved.PrepareForSave(advancedMode);
  return ToBytes(saved);
}

LoadResult LoadDocumentFile(const std::filesystem::path& path, bool advancedMode) {
  ReadResult read = ReadRegularFile(path, kDocumentSize);
  if (read.Error == ENOENT) return Refuse(LoadStatus::Missing);
  if (!read.ok()) {
    LoadResult result = Refuse(LoadStatus::Unreadable);
    result.Reason = read.Reason;
    return result;
  }
  return LoadDocument(read.Bytes, advancedMode);
}

std::string DescribeLoadFailure(const LoadResult& result) {
  switch (result.Status) {
    case LoadStatus::Loaded:
      return {};
    case LoadStatus::Missing:
      return "No such file.";
    case LoadStatus::Unreadable:
      return result.Reason.empty() ? "The file cannot be read." : result.Reason;
    default:
      return result.Message.Literal;
  }
}

}  // namespace actions
