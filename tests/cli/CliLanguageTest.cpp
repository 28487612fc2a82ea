// rovalis-cli speaks the language asked for with --lang, whatever the locale says: every
// message of a scan comes from that language's text set and none from the other.

#include <gtest/gtest.h>

#include <string>

#include "ProcessRun.h"
#include "app/core/Language.h"
#include "app/core/Texts.h"

namespace {

using app::Language;

std::string In(Language language, int number) {
  return app::LoadText(number, language).toStdString();
}

std::string Before(const std::string& text, const char* holder) {
  return text.substr(0, text.find(holder));
}

TEST(CliLanguage, PortsSpeaksTheChosenLanguageOnly) {
  const struct {
    const char* code;
    Language language;
    Language other;
  } cases[] = {{"en", Language::English, Language::Spanish}, {"es", Language::Spanish, Language::English}};
  for (const auto& c : cases) {
    const auto run = clitest::RunProcess(ROVALIS_CLI, {"ports", "--virtual-robot", "--lang", c.code});
    EXPECT_EQ(run.exitStatus, 0) << run.output;
    // Searching, the virtual robot's port, the table's headings (the shipped five and the type).
    for (int number : {426, 381, 382, 383, 384, 597}) {
      EXPECT_NE(run.output.find(In(c.language, number)), std::string::npos)
          << c.code << " text " << number << "\n"
          << run.output;
    }
    EXPECT_NE(run.output.find(Before(In(c.language, 594), "%1")), std::string::npos) << c.code << run.output;
    for (int number : {426, 381, 382, 594}) {
      const std::string foreign = Before(In(c.other, number), "%1");
      EXPECT_EQ(run.output.find(foreign), std::string::npos) << c.code << " shows '" << foreign << "'\n"
                                                             << run.output;
    }
  }
}

TEST(CliLanguage, AnUnknownLanguageIsRefused) {
  const auto run = clitest::RunProcess(ROVALIS_CLI, {"ports", "--lang", "fr"});
  EXPECT_EQ(run.exitStatus, 2);
  EXPECT_NE(run.output.find("--lang takes es or en"), std::string::npos) << run.output;
}

}  // namespace
