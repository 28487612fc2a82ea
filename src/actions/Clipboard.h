#pragma once
// The step clipboard shared by all six lists: up to 255 copied records.

#include <array>
#include <span>

#include "actions/StepRecord.h"

namespace actions {

class Clipboard {
 public:
  void Clear() { count_ = 0; }
  // Appends one record; a full clipboard keeps its first 255.
  void Add(const StepRecord& record) {
    if (count_ < kMaxSteps) entries_[++count_] = record;
  }
  bool Empty() const { return count_ == 0; }
  int Size() const { return count_; }
  // Entries 1..Size(), in copy order.
  std::span<const StepRecord> Entries() const { return std::span(entries_).subspan(1, count_); }

 private:
  std::array<StepRecord, kRecordsPerList> entries_{};  // entry 0 unused
  int count_ = 0;
};

}  // namespace actions
