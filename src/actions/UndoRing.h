#pragma once
// The ten-level undo: each snapshot holds the steps of all six lists.

#include <array>
#include <optional>

#include "actions/ListDocument.h"

namespace actions {

inline constexpr int kUndoDepth = 10;

class UndoRing {
 public:
  // Records the lists as they are now; when full, the oldest snapshot is dropped.
  void Take(const ListDocument& doc);
  // Puts the newest snapshot's lists back into the document and forgets it; false (and no
  // change) when the ring is empty. Servo centres and header bytes are not part of a snapshot.
  bool Restore(ListDocument& doc);
  bool Empty() const { return newest_ == -1; }
  int Size() const;
  void Clear() { oldest_ = newest_ = -1; }

 private:
  struct Snapshot {
    std::array<std::int16_t, kListCount> Counts{};
    std::array<StepList, kListCount> Lists{};
  };
  std::array<Snapshot, kUndoDepth> slots_{};
  int oldest_ = -1;
  int newest_ = -1;
};

}  // namespace actions
