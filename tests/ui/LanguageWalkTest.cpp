// Every window, in each language, shows only texts of that language's set: captions, labels,
// window titles, tool tips, tabs, list headings and box items. A text that is not in the set
// (a hard-coded one, or one of the other language) fails the walk.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabBar>
#include <algorithm>

#include "QtEnvironment.h"
#include "app/IntroForm.h"
#include "app/core/Global.h"
#include "app/core/Language.h"
#include "app/core/Texts.h"
#include "ui/Code.h"
#include "ui/MainWindow.h"
#include "ui/Progress.h"
#include "ui/Startup.h"
#include "ui/StepGrid.h"
#include "ui/TestUnit.h"
#include "ui/VirtualRobotPanel.h"
#include "ui/VirtualRobotWindow.h"

namespace {

using app::Language;

// Words that are names, not language: the program's name and port names.
const QStringList kNames = {QStringLiteral("Rovalis"), QStringLiteral("v"), QStringLiteral("dev"),
                            QStringLiteral("pts"), QStringLiteral("tty")};

QString Plain(QString text) {
  return text.remove(QLatin1Char('&')).simplified();
}

// A text with place holders as a pattern whose arguments are captured; it stands apart from
// the words around it.
QRegularExpression PatternOf(const QString& text) {
  QString pattern = QRegularExpression::escape(text);
  pattern.replace(QRegularExpression(QStringLiteral("\\\\?%\\d+")), QStringLiteral("(.*?)"));
  return QRegularExpression(QStringLiteral("(?<!\\w)") + pattern + QStringLiteral("(?!\\w)"));
}

// What is left of `text` once every text of the set has been taken out of it, longest first
// (a text with place holders keeps its arguments); empty when the text is made of the set's
// texts, numbers, names and punctuation only. Words joined to digits are names ("ttyS0").
QStringList ForeignWords(const QString& text, Language language) {
  QStringList texts;
  for (const QString& t : app::TextSet(language)) {
    const QString plain = Plain(t);
    if (plain.size() > 1) texts << plain;
  }
  std::sort(texts.begin(), texts.end(),
            [](const QString& a, const QString& b) { return a.size() > b.size(); });
  // Whole texts first, then the ones with place holders, whose arguments may be such texts.
  QString rest = Plain(text);
  for (const QString& t : texts)
    if (!t.contains(QLatin1Char('%'))) rest.replace(t, QStringLiteral(" "));
  for (const QString& t : texts) {
    if (!t.contains(QLatin1Char('%'))) continue;
    const QRegularExpressionMatch match = PatternOf(t).match(rest);
    if (!match.hasMatch() || match.capturedLength() == 0) continue;
    const QStringList arguments = match.capturedTexts().mid(1);
    rest.replace(match.capturedStart(), match.capturedLength(),
                 QStringLiteral(" ") + arguments.join(QLatin1Char(' ')) + QStringLiteral(" "));
  }
  QStringList foreign;
  static const QRegularExpression word(QStringLiteral("\\b[^\\W\\d_]+\\b"));
  for (const auto& match : word.globalMatch(rest))
    if (!kNames.contains(match.captured())) foreign << match.captured();
  return foreign;
}

void Collect(QStringList& texts, const QString& text) {
  if (!text.trimmed().isEmpty()) texts << text;
}

void CollectModelHeaders(QStringList& texts, QAbstractItemView* view) {
  if (view->model() == nullptr) return;
  for (int c = 0; c < view->model()->columnCount(); ++c)
    Collect(texts, view->model()->headerData(c, Qt::Horizontal).toString());
}

// Every text a user can see or hover in `window` and its children.
QStringList VisibleTexts(QWidget* window) {
  QStringList texts;
  Collect(texts, window->windowTitle());
  QList<QWidget*> widgets = window->findChildren<QWidget*>();
  widgets.prepend(window);
  for (QWidget* w : widgets) {
    Collect(texts, w->toolTip());
    if (auto* label = qobject_cast<QLabel*>(w)) Collect(texts, label->text());
    if (auto* button = qobject_cast<QAbstractButton*>(w)) Collect(texts, button->text());
    if (auto* group = qobject_cast<QGroupBox*>(w)) Collect(texts, group->title());
    if (auto* tabs = qobject_cast<QTabBar*>(w))
      for (int i = 0; i < tabs->count(); ++i) Collect(texts, tabs->tabText(i));
    if (auto* box = qobject_cast<QComboBox*>(w))
      for (int i = 0; i < box->count(); ++i) Collect(texts, box->itemText(i));
    if (auto* view = qobject_cast<QAbstractItemView*>(w)) CollectModelHeaders(texts, view);
    if (auto* grid = qobject_cast<ui::StepGrid*>(w))
      for (int c = 0; c < grid->ColCount(); ++c) Collect(texts, grid->HeaderText(c));
    // The help panel; the program viewer and the robot's terminal show programs and their output.
    if (auto* memo = qobject_cast<QPlainTextEdit*>(w); memo && memo->objectName() == u"HelpMemo")
      Collect(texts, memo->toPlainText());
  }
  return texts;
}

class LanguageWalk : public ::testing::TestWithParam<Language> {
 protected:
  void SetUp() override {
    saved_ = app::ActiveLanguage();
    app::SetActiveLanguage(GetParam());
    uitest::ClearSettings();
    app::Global() = app::StartGlobal();
  }
  void TearDown() override {
    app::SetActiveLanguage(saved_);
    app::Global() = app::StartGlobal();
  }

  void ExpectOnlyActiveTexts(QWidget* window, const char* what) {
    const QStringList texts = VisibleTexts(window);
    EXPECT_FALSE(texts.isEmpty()) << what;
    for (const QString& text : texts) {
      const QStringList foreign = ForeignWords(text, GetParam());
      EXPECT_TRUE(foreign.isEmpty()) << app::LanguageCode(GetParam()) << ", " << what << ": \""
                                     << text.toStdString() << "\" has "
                                     << foreign.join(QStringLiteral(" ")).toStdString();
    }
  }

  // The intro window, then the main window in one mode with the windows it opens.
  void WalkProgramWindows(bool advanced) {
    auto windows = ui::MakeWindows();
    windows->IntroForm->show();
    ExpectOnlyActiveTexts(windows->IntroForm.get(), "intro window");
    (advanced ? windows->IntroForm->AdvancedButton : windows->IntroForm->BeginnerButton)->click();
    ExpectOnlyActiveTexts(windows->MainForm.get(),
                          advanced ? "main window, advanced" : "main window, beginner");
    windows->TestForm->show();
    ExpectOnlyActiveTexts(windows->TestForm.get(), "test window");
    windows->TestForm->hide();
    windows->ProgressForm->show();
    ExpectOnlyActiveTexts(windows->ProgressForm.get(), "progress window");
    windows->ProgressForm->hide();
    windows->CodeForm->show();
    ExpectOnlyActiveTexts(windows->CodeForm.get(), "program viewer");
    windows->CodeForm->hide();
    windows->MainForm->hide();
  }

 private:
  Language saved_ = Language::Spanish;
};

TEST_P(LanguageWalk, BeginnerModeWindowsSpeakOnlyTheActiveLanguage) {
  WalkProgramWindows(false);
}

TEST_P(LanguageWalk, AdvancedModeWindowsSpeakOnlyTheActiveLanguage) {
  WalkProgramWindows(true);
}

TEST_P(LanguageWalk, VirtualRobotWindowsSpeakOnlyTheActiveLanguage) {
  QString error;
  auto session = ui::StartVirtualRobot(&error);
  ASSERT_TRUE(session) << error.toStdString();
  ExpectOnlyActiveTexts(session->Panel.get(), "virtual robot panel");
  ASSERT_TRUE(session->Window);
  ExpectOnlyActiveTexts(session->Window.get(), "virtual robot window");
  session->Window->PlayButton->setChecked(true);  // the paused caption
  ExpectOnlyActiveTexts(session->Window.get(), "virtual robot window, paused");
}

// The walk itself must notice a foreign text: the other language's captions fail it.
TEST(LanguageWalkCheck, FindsTheOtherLanguagesWords) {
  EXPECT_TRUE(ForeignWords(QStringLiteral("Rovalis v1.3 - Elija un modo"), Language::Spanish).isEmpty());
  EXPECT_FALSE(ForeignWords(QStringLiteral("Rovalis v1.3 - Elija un modo"), Language::English).isEmpty());
  EXPECT_TRUE(ForeignWords(QStringLiteral("Port: /dev/pts/3"), Language::English).isEmpty());
  EXPECT_FALSE(ForeignWords(QStringLiteral("Port: /dev/pts/3"), Language::Spanish).isEmpty());
  EXPECT_FALSE(ForeignWords(QStringLiteral("&Pause"), Language::Spanish).isEmpty());
  EXPECT_TRUE(ForeignWords(QStringLiteral("12.5 seg"), Language::Spanish).isEmpty());
  EXPECT_FALSE(ForeignWords(QStringLiteral("Next"), Language::Spanish).isEmpty());
  EXPECT_TRUE(ForeignWords(QStringLiteral("Servo pulse widths: left off, right 750  (downloads: 2)"),
                           Language::English)
                  .isEmpty());
  EXPECT_FALSE(ForeignWords(QStringLiteral("Servo pulse widths: left apagado, right 750  (downloads: 2)"),
                            Language::English)
                   .isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Languages, LanguageWalk, ::testing::Values(Language::Spanish, Language::English),
                         [](const auto& info) { return std::string(app::LanguageCode(info.param)); });

}  // namespace
