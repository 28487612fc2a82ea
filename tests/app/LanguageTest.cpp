// The two text sets agree with each other, the language is chosen as the user expects, and
// the texts follow the active language.

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <map>
#include <set>

#include "app/core/Global.h"
#include "app/core/Language.h"
#include "app/core/Resources.h"
#include "app/core/Settings.h"
#include "app/core/Texts.h"

namespace {

using app::Language;

// Restores the active language when a test ends.
struct ActiveLanguageGuard {
  Language saved = app::ActiveLanguage();
  ~ActiveLanguageGuard() { app::SetActiveLanguage(saved); }
};

std::multiset<QString> PlaceHolders(const QString& text) {
  std::multiset<QString> found;
  static const QRegularExpression placeHolder(QStringLiteral("%\\d+"));
  for (const auto& match : placeHolder.globalMatch(text)) found.insert(match.captured());
  return found;
}

// The letter after a single '&' (upper case), or a null character when there is none.
QChar ShortcutLetter(const QString& text) {
  for (qsizetype i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != u'&') continue;
    if (text[i + 1] == u'&') {
      ++i;
      continue;
    }
    return text[i + 1].toUpper();
  }
  return {};
}

TEST(TextSets, HaveTheSameNumbersAndPlaceHolders) {
  const auto& spanish = app::TextSet(Language::Spanish);
  const auto& english = app::TextSet(Language::English);
  ASSERT_FALSE(spanish.isEmpty());
  for (auto [one, other] : {std::pair{&spanish, &english}, std::pair{&english, &spanish}})
    for (auto it = one->cbegin(); it != one->cend(); ++it)
      EXPECT_TRUE(other->contains(it.key())) << "text " << it.key() << " is in one set only";
  for (auto it = spanish.cbegin(); it != spanish.cend(); ++it) {
    const QString en = english.value(it.key());
    EXPECT_EQ(PlaceHolders(it.value()), PlaceHolders(en)) << "text " << it.key();
    EXPECT_EQ(ShortcutLetter(it.value()).isNull(), ShortcutLetter(en).isNull())
        << "text " << it.key() << ": a shortcut letter in one language only";
    EXPECT_EQ(it.value().isEmpty(), en.isEmpty()) << "text " << it.key();
  }
}

// The texts shown together in one window must not share a '&' letter.
TEST(TextSets, ShortcutLettersAreUniqueWithinEachWindow) {
  const struct {
    const char* window;
    std::vector<int> texts;
  } windows[] = {
      {"virtual robot, running", {526, 528}},
      {"virtual robot, paused", {527, 528}},
  };
  for (Language language : app::kLanguages)
    for (const auto& w : windows) {
      std::map<QChar, int> seen;
      for (int number : w.texts) {
        const QChar letter = ShortcutLetter(app::LoadText(number, language));
        ASSERT_FALSE(letter.isNull()) << w.window << ": text " << number;
        const auto [at, inserted] = seen.emplace(letter, number);
        EXPECT_TRUE(inserted) << app::LanguageCode(language) << ", " << w.window << ": texts " << at->second
                              << " and " << number << " share the letter " << QString(letter).toStdString();
      }
    }
}

// The twelve Alt letters of the step list: each command's letter is in its caption (View has
// no button), and a language picks twelve different letters. Spanish keeps its shipped letters,
// which give G and O twice (the first command wins), as the resource of the build does.
TEST(TextSets, StepListShortcutLettersFollowTheCaptions) {
  constexpr int kCaptionOfCommand[12] = {501, 502, 503, 504, 505, 506, 0, 507, 508, 509, 510, 511};
  for (Language language : app::kLanguages) {
    const QString letters = app::LoadText(app::kShortcutLettersText, language);
    ASSERT_EQ(letters.size(), app::kShortcutCount) << app::LanguageCode(language);
    for (int i = 0; i < app::kShortcutCount; ++i) {
      EXPECT_TRUE(letters[i] >= u'A' && letters[i] <= u'Z') << app::LanguageCode(language) << " letter " << i;
      if (kCaptionOfCommand[i] == 0) continue;
      const QString caption = app::LoadText(kCaptionOfCommand[i], language);
      EXPECT_TRUE(caption.toUpper().contains(letters[i]))
          << app::LanguageCode(language) << ": " << QString(letters[i]).toStdString() << " not in "
          << caption.toStdString();
    }
    if (language == Language::Spanish) {
      const auto resource = app::LoadResource(QStringLiteral("DATA"), 361);
      ASSERT_TRUE(resource);
      EXPECT_EQ(letters, QString::fromLatin1(*resource));
    } else {
      EXPECT_EQ(std::set<QChar>(letters.begin(), letters.end()).size(), 12u) << app::LanguageCode(language);
    }
  }
}

// A number left untranslated shows up as the Spanish text in the English set.
TEST(TextSets, EnglishIsTranslatedAndPlain) {
  const std::set<int> sameInBoth = {379, 407, 408, 409, 410, 411, 428, 429, 388, 515, 529, 530, 531, 578, 464, 466, 467};
  const auto& english = app::TextSet(Language::English);
  for (auto it = english.cbegin(); it != english.cend(); ++it) {
    for (QChar c : it.value()) {
      EXPECT_LT(c.unicode(), 128) << "text " << it.key() << ": " << it.value().toStdString();
    }
    if (sameInBoth.count(it.key()) == 0) {
      EXPECT_NE(it.value(), app::LoadText(it.key(), Language::Spanish))
          << "text " << it.key() << " untranslated";
    }
  }
}

TEST(LoadText, FollowsTheActiveLanguage) {
  ActiveLanguageGuard guard;
  const struct {
    Language language;
    int number;
    const char* text;
  } cases[] = {
      {Language::Spanish, 366, "Modo Principiante"},
      {Language::English, 366, "Beginner Mode"},
      {Language::Spanish, 412, "No se encontró el robot."},
      {Language::English, 412, "The robot was not found."},
      {Language::English, 365, ""},
  };
  for (const auto& c : cases) {
    app::SetActiveLanguage(c.language);
    EXPECT_EQ(app::LoadText(c.number), QString::fromUtf8(c.text)) << c.number;
  }
}

TEST(LoadPictureResource, TakesTheActiveLanguagesPictureWithWords) {
  ActiveLanguageGuard guard;
  app::SetActiveLanguage(Language::Spanish);
  const auto spanishGo = app::LoadPictureResource(QStringLiteral("GIF"), 222);
  const auto sharedTile = app::LoadPictureResource(QStringLiteral("GIF"), 194);
  app::SetActiveLanguage(Language::English);
  const auto englishGo = app::LoadPictureResource(QStringLiteral("GIF"), 222);
  ASSERT_TRUE(spanishGo && englishGo && sharedTile);
  EXPECT_NE(*spanishGo, *englishGo);
  EXPECT_EQ(app::LoadPictureResource(QStringLiteral("GIF"), 194), sharedTile);
  EXPECT_FALSE(app::LoadPictureResource(QStringLiteral("GIF"), 190));
}

TEST(ChooseLanguage, OptionThenSettingThenSystem) {
  const auto none = std::optional<Language>();
  const struct {
    std::optional<Language> option;
    const char* stored;
    const char* locale;
    Language expected;
  } cases[] = {
      {none, "", "en_US", Language::English},
      {none, "", "es_ES", Language::Spanish},
      {none, "", "es_MX", Language::Spanish},
      {none, "", "fr_FR", Language::English},
      {none, "", "C", Language::English},
      {none, "es", "en_US", Language::Spanish},
      {none, " EN ", "es_ES", Language::English},
      {none, "fr", "es_ES", Language::Spanish},  // a stored value that names no language is ignored
      {Language::English, "es", "es_ES", Language::English},
      {Language::Spanish, "", "en_GB", Language::Spanish},
  };
  for (const auto& c : cases)
    EXPECT_EQ(
        app::ChooseLanguage(c.option, QString::fromLatin1(c.stored), QLocale(QString::fromLatin1(c.locale))),
        c.expected)
        << c.stored << " " << c.locale;
}

TEST(TakeLanguageOption, RemovesTheOptionAndChecksItsValue) {
  const struct {
    std::vector<std::string> args;
    std::vector<std::string> rest;
    std::optional<Language> chosen;
    bool error;
  } cases[] = {
      {{"go", "a.rvl"}, {"go", "a.rvl"}, std::nullopt, false},
      {{"--lang", "en", "go"}, {"go"}, Language::English, false},
      {{"go", "--lang=ES"}, {"go"}, Language::Spanish, false},
      {{"--lang=es", "ports", "--lang", "en"}, {"ports"}, Language::English, false},
      {{"ports", "--lang"}, {}, std::nullopt, true},
      {{"--lang", "fr"}, {}, std::nullopt, true},
      {{"--lang="}, {}, std::nullopt, true},
  };
  for (const auto& c : cases) {
    auto args = c.args;
    std::optional<Language> chosen;
    const std::string error = app::TakeLanguageOption(args, chosen);
    EXPECT_EQ(!error.empty(), c.error) << error;
    if (c.error) continue;
    EXPECT_EQ(args, c.rest);
    EXPECT_EQ(chosen, c.chosen);
  }
}

TEST(ReadLanguageSetting, ReadsTheValueStoredWithTheOthers) {
  QTemporaryDir folder;
  QSettings store(folder.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
  EXPECT_EQ(app::ReadLanguageSetting(store), QString());
  store.setValue(QStringLiteral("1.0/Language"), QStringLiteral("en"));
  store.setValue(QStringLiteral("Language"), QStringLiteral("es"));  // outside the group: not the setting
  EXPECT_EQ(app::ReadLanguageSetting(store), QStringLiteral("en"));
  // Saving the other settings on quitting keeps the user's choice.
  app::WriteSettings(store, app::SettingsValues{});
  EXPECT_EQ(app::ReadLanguageSetting(store), QStringLiteral("en"));
}

}  // namespace
