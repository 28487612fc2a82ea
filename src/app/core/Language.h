#pragma once
// Which language the texts, the pictures with words and Qt's own dialogs speak. The program
// chooses once at start, before any window or thread exists; until then it is Spanish, the
// language this build ships in.

#include <QLocale>
#include <QString>
#include <optional>

#include "app/core/LanguageCode.h"

class QSettings;

namespace app {

// Spanish for any Spanish locale, English for everything else.
Language LanguageForLocale(const QLocale& locale);

// The `--lang` option wins, then the stored setting (when it names a language), then the
// system's locale.
Language ChooseLanguage(std::optional<Language> option, const QString& stored, const QLocale& system);

// The stored "Language" value of group "1.0" ("es" or "en"); empty when there is none.
QString ReadLanguageSetting(QSettings& store);

Language ActiveLanguage();
void SetActiveLanguage(Language language);

// Chooses from the option, the user's stored setting and the system locale, makes it active
// and, when an application object exists, installs Qt's own translations for it.
Language StartLanguage(std::optional<Language> option);

}  // namespace app
