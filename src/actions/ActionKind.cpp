#include "actions/ActionKind.h"

namespace actions {

namespace {
constexpr KindInfo kKinds[] = {
    {ActionKind::Forward, 398, 14, 'F', 12},     {ActionKind::Backward, 399, 15, 'B', 12},
    {ActionKind::TurnLeft, 400, 16, 'L', 13},    {ActionKind::TurnRight, 401, 17, 'R', 13},
    {ActionKind::RotateLeft, 402, 18, 'E', 15},  {ActionKind::RotateRight, 403, 19, 'I', 15},
    {ActionKind::StopAndWait, 404, 21, 'S', 10}, {ActionKind::GoToStep, 405, 20, 'G', 1},
};
static_assert(sizeof(kKinds) / sizeof(kKinds[0]) == kKindCount);

constexpr bool TableInKindOrder() {
  for (int i = 0; i < kKindCount; ++i)
    if (static_cast<int>(kKinds[i].kind) != i) return false;
  return true;
}
static_assert(TableInKindOrder());
}  // namespace

const KindInfo& InfoOf(ActionKind kind) {
  auto index = static_cast<std::uint8_t>(kind);
  return kKinds[index < kKindCount ? index : 0];
}

bool IsValidKind(std::uint8_t kind) {
  return kind < kKindCount;
}

}  // namespace actions
