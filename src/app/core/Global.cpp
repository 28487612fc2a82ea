#include "app/core/Global.h"

#include "app/core/Resources.h"
#include "app/core/Texts.h"

namespace app {

std::uint8_t LoadUICharset() {
  const auto bytes = LoadResource(QStringLiteral("DATA"), 360);
  if (!bytes || bytes->isEmpty()) return 0;
  return static_cast<std::uint8_t>(bytes->at(0));
}

QString ShortcutLettersFrom(const QByteArray* resource) {
  QString letters = QString::fromLatin1(kDefaultShortcutLetters);
  if (resource == nullptr) return letters;
  // A short resource replaces only as many letters as it carries.
  const qsizetype count = std::min<qsizetype>(resource->size(), kShortcutCount);
  for (qsizetype i = 0; i < count; ++i) letters[i] = QChar::fromLatin1(resource->at(i));
  return letters;
}

QString LoadShortcutLetters() {
  const auto bytes = LoadResource(QStringLiteral("DATA"), 361);
  const QString letters = ShortcutLettersFrom(bytes ? &*bytes : nullptr);
  // Each language names its own letters (they follow its captions); a set without twelve
  // keeps the build's resource.
  const QString ofLanguage = LoadText(kShortcutLettersText);
  return ofLanguage.size() == kShortcutCount ? ofLanguage : letters;
}

GlobalState StartGlobal() {
  GlobalState state;
  state.ModuleNames = {QStringLiteral("Unknown"),  QStringLiteral("Varda 1"),   QStringLiteral("Robot"),
                       QStringLiteral("Varda 2e"), QStringLiteral("Varda 2sx"), QStringLiteral("Varda 2p")};
  state.SelectedPort = QStringLiteral("AUTO");
  state.AdvancedMode = false;
  state.UICharset = LoadUICharset();
  state.ShortcutLetters = LoadShortcutLetters();
  state.ModuleNames[2] = LoadText(411);
  return state;
}

GlobalState& Global() {
  static GlobalState state = StartGlobal();
  return state;
}

}  // namespace app
