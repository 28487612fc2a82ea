#pragma once
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

namespace app {

// Shortcut letters used when the build carries no resource 361.
inline constexpr char kDefaultShortcutLetters[] = "DCTPUGVRELSQ";
inline constexpr int kShortcutCount = 12;
// The text that holds the active language's shortcut letters.
inline constexpr int kShortcutLettersText = 500;

// The application-wide state that every window shares. One instance lives for the whole run
// (see Global()); tests build their own with StartGlobal.
struct GlobalState {
  bool AdvancedMode = false;  // fixed by the intro window for the rest of the run
  std::uint8_t UICharset = 0;
  QString ShortcutLetters = QString::fromLatin1(kDefaultShortcutLetters);
  std::array<QString, 6> ModuleNames;
  QString SelectedPort = QStringLiteral("AUTO");
};

// The state at start: module names (entry 2 from text 411), "AUTO", beginner mode, the
// character set from resource 360 and the shortcut letters from resource 361.
GlobalState StartGlobal();

// The program's one shared state.
GlobalState& Global();

// The low byte of resource 360, or 0 when missing.
std::uint8_t LoadUICharset();

// The default letters, overwritten one for one by the bytes of resource 361 when present.
QString LoadShortcutLetters();
// The same rule over given resource bytes (nothing = resource missing).
QString ShortcutLettersFrom(const QByteArray* resource);

}  // namespace app
