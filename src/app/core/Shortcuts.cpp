#include "app/core/Shortcuts.h"

namespace app {

ShortcutCommand ShortcutFor(const QString& letters, int keyCode) {
  const int count = static_cast<int>(std::min<qsizetype>(letters.size(), 12));
  for (int i = 0; i < count; ++i) {
    if (letters[i].unicode() == keyCode) return static_cast<ShortcutCommand>(i + 1);
  }
  return ShortcutCommand::None;
}

}  // namespace app
