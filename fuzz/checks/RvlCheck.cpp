// The .rvl loader on arbitrary bytes: a refused file changes nothing, an accepted one holds
// only what the editor can show and comes back the same after a save and a reload.

#include <string>

#include "Checks.h"
#include "actions/ActionLists.h"
#include "actions/FileFormat.h"

namespace fuzz {
namespace {

// An open document that differs from a fresh one everywhere a load could touch.
actions::ActionLists EditedLists(bool advanced) {
  actions::ActionLists lists;
  lists.AdvancedMode = advanced;
  actions::ListDocument& doc = lists.Document();
  doc.LeftServoCenter = 91;
  doc.RightServoCenter = 107;
  for (int list = 1; list <= actions::kListCount; ++list)
    for (int row = 1; row <= 3; ++row) doc.List(list)[row] = actions::StepRecord{1, static_cast<std::int16_t>(row), 0, 0, 0};
  lists.Modified = true;
  return lists;
}

std::string CheckRecords(const actions::ListDocument& doc) {
  for (int list = 1; list <= actions::kListCount; ++list) {
    const actions::StepList& steps = doc.List(list);
    if (!(steps[0] == actions::kSentinel)) return "record 0 of list " + std::to_string(list) + " is not the sentinel";
    const int count = doc.StepCount(list);
    if (count < 0 || count > actions::kRecordsPerList - 1) return "step count out of range";
    for (int row = 1; row < actions::kRecordsPerList; ++row) {
      const actions::StepRecord& s = steps[row];
      if (s.Kind > 7 || s.BothSet > 4 || s.LeftSet > 4 || s.RightSet > 4)
        return "accepted a step the editor cannot show in list " + std::to_string(list) + " row " + std::to_string(row);
      if (row > count && !(s == actions::kSentinel))
        return "record behind the last step is not the sentinel in list " + std::to_string(list);
    }
  }
  return {};
}

}  // namespace

std::string CheckRvlLoad(Bytes input) {
  if (input.empty()) return {};
  const bool advanced = (input[0] & 1) != 0;
  const Bytes file = input.subspan(1);

  actions::ActionLists lists = EditedLists(advanced);
  const actions::ListDocument before = lists.Document();
  const actions::LoadResult result = lists.Load(file);

  if (!result.ok()) {
    if (!(lists.Document() == before)) return "a refused file changed the open document";
    if (!lists.Modified) return "a refused file cleared the modified flag";
    if (file.size() >= actions::kDocumentSize && result.Status != actions::LoadStatus::NotProperFormat &&
        result.Status != actions::LoadStatus::OtherVersion && result.Status != actions::LoadStatus::AdvancedFile)
      return "a complete file refused for a reason of a missing file";
    if (result.Status != actions::LoadStatus::Missing && result.Status != actions::LoadStatus::Unreadable &&
        result.Message.Empty())
      return "a refused file without a message";
    return {};
  }

  if (file.size() < actions::kDocumentSize) return "accepted a file shorter than 9240 bytes";
  if (!(lists.Document() == result.Document)) return "an accepted file was not taken over";
  if (lists.Modified) return "an accepted file left the document modified";
  if (std::string problem = CheckRecords(result.Document); !problem.empty()) return problem;

  const actions::DocumentBytes saved = actions::SaveDocument(result.Document, advanced);
  const actions::LoadResult again = actions::LoadDocument(saved, advanced);
  if (!again.ok()) return "a saved document does not load again";
  if (again.Document.StepLists != result.Document.StepLists ||
      again.Document.LeftServoCenter != result.Document.LeftServoCenter ||
      again.Document.RightServoCenter != result.Document.RightServoCenter)
    return "a document changed on its way through a save and a reload";
  return {};
}

}  // namespace fuzz
