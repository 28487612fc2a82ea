#include "actions/UndoRing.h"

namespace actions {

void UndoRing::Take(const ListDocument& doc) {
  newest_ = (newest_ + 1) % kUndoDepth;
  if (newest_ == oldest_) oldest_ = (oldest_ + 1) % kUndoDepth;
  if (oldest_ == -1) oldest_ = 0;
  Snapshot& slot = slots_[newest_];
  for (int list = 1; list <= kListCount; ++list) {
    slot.Counts[list - 1] = static_cast<std::int16_t>(doc.StepCount(list));
    slot.Lists[list - 1] = doc.List(list);
  }
}

bool UndoRing::Restore(ListDocument& doc) {
  if (Empty()) return false;
  const Snapshot& slot = slots_[newest_];
  for (int list = 1; list <= kListCount; ++list) {
    StepList& records = doc.List(list);
    const int count = slot.Counts[list - 1];
    for (int r = 1; r < kRecordsPerList; ++r) records[r] = r <= count ? slot.Lists[list - 1][r] : records[0];
  }
  if (newest_ == oldest_)
    oldest_ = newest_ = -1;
  else
    newest_ = newest_ == 0 ? kUndoDepth - 1 : newest_ - 1;
  return true;
}

int UndoRing::Size() const {
  if (Empty()) return 0;
  return (newest_ - oldest_ + kUndoDepth) % kUndoDepth + 1;
}

}  // namespace actions
