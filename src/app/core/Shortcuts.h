#pragma once
#include <QString>

namespace app {

// The twelve commands that the shortcut letters select, in the order of the letters.
enum class ShortcutCommand {
  None = 0,
  Delete = 1,
  Copy,
  Cut,
  Paste,
  Undo,
  Go,
  View,
  Clear,
  Test,
  Open,
  Save,
  Quit,
};

// The command of a key pressed with Alt: the first position whose letter equals the key code
// (upper-case letter codes); None when no letter matches.
ShortcutCommand ShortcutFor(const QString& letters, int keyCode);

}  // namespace app
