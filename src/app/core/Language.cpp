#include "app/core/Language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QSettings>
#include <QTranslator>
#include <atomic>

#include "app/core/Settings.h"

namespace app {

namespace {
std::atomic<Language> active{Language::Spanish};

// Qt's own buttons and dialogs (Yes/No/Cancel, the file dialog) in the chosen language.
void InstallQtTranslations(Language language) {
  auto* application = QCoreApplication::instance();
  if (application == nullptr || language == Language::English) return;
  auto* translator = new QTranslator(application);
  const QString code = QString::fromLatin1(LanguageCode(language));
  if (translator->load(QStringLiteral("qtbase_") + code, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QCoreApplication::installTranslator(translator);
  else
    delete translator;  // without the translations Qt's buttons stay English; nothing else changes
}
}  // namespace

Language LanguageForLocale(const QLocale& locale) {
  return locale.language() == QLocale::Spanish ? Language::Spanish : Language::English;
}

Language ChooseLanguage(std::optional<Language> option, const QString& stored, const QLocale& system) {
  if (option) return *option;
  if (auto fromSetting = LanguageFromCode(stored.trimmed().toStdString())) return *fromSetting;
  return LanguageForLocale(system);
}

QString ReadLanguageSetting(QSettings& store) {
  store.beginGroup(QStringLiteral("1.0"));
  const QString value = store.value(QStringLiteral("Language")).toString();
  store.endGroup();
  return value;
}

Language ActiveLanguage() {
  return active.load();
}

void SetActiveLanguage(Language language) {
  active.store(language);
}

Language StartLanguage(std::optional<Language> option) {
  const auto store = OpenUserSettings();
  const Language language = ChooseLanguage(option, ReadLanguageSetting(*store), QLocale::system());
  SetActiveLanguage(language);
  InstallQtTranslations(language);
  return language;
}

}  // namespace app
