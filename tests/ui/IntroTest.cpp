#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <cstdio>

#include "QtEnvironment.h"
#include "app/FirstShowReport.h"
#include "app/IntroForm.h"
#include "app/core/Global.h"
#include "app/core/Resources.h"
#include "comm/Session.h"
#include "ui/Code.h"
#include "ui/MainWindow.h"
#include "ui/ProgramDownload.h"
#include "ui/Progress.h"
#include "ui/Startup.h"
#include "ui/TestUnit.h"

namespace {

class IntroTest : public ::testing::Test {
 protected:
  void SetUp() override {
    uitest::ClearSettings();
    app::Global() = app::StartGlobal();
  }
  void TearDown() override { app::Global() = app::StartGlobal(); }
};

TEST_F(IntroTest, CaptionButtonsAndSize) {
  app::TIntroForm intro;
  intro.show();
  EXPECT_EQ(intro.windowTitle(), "Rovalis v1.3 - Elija un modo");
  EXPECT_EQ(intro.BeginnerButton->text(), "Modo Principiante");
  EXPECT_EQ(intro.AdvancedButton->text(), "Modo Avanzado");
  EXPECT_EQ(intro.size(), QSize(266, 112));
  EXPECT_EQ(intro.BeginnerButton->geometry(), QRect(72, 16, 125, 33));
  EXPECT_EQ(intro.AdvancedButton->geometry(), QRect(72, 64, 125, 33));
}

TEST_F(IntroTest, TheChoiceSetsTheModeOnceAndClosingWithoutOneEndsTheProgram) {
  const struct { bool advanced; } cases[] = {{false}, {true}};
  for (const auto& c : cases) {
    app::Global().AdvancedMode = !c.advanced;
    app::TIntroForm intro;
    QSignalSpy chosen(&intro, &app::TIntroForm::modeChosen);
    QSignalSpy closed(&intro, &app::TIntroForm::closedWithoutChoice);
    intro.show();
    (c.advanced ? intro.AdvancedButton : intro.BeginnerButton)->click();
    EXPECT_EQ(app::Global().AdvancedMode, c.advanced);
    EXPECT_FALSE(intro.isVisible());
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen.front().front().toBool(), c.advanced);
    // The mode stays as chosen.
    (c.advanced ? intro.BeginnerButton : intro.AdvancedButton)->click();
    EXPECT_EQ(app::Global().AdvancedMode, c.advanced);
    EXPECT_EQ(chosen.count(), 1);
    intro.close();
    EXPECT_EQ(closed.count(), 0);
  }
  app::TIntroForm intro;
  QSignalSpy closed(&intro, &app::TIntroForm::closedWithoutChoice);
  intro.show();
  intro.close();
  EXPECT_EQ(closed.count(), 1);
}

TEST_F(IntroTest, OnlyTheIntroWindowShowsAtStartAndAChoiceShowsTheMainWindow) {
  auto windows = ui::MakeWindows();
  windows->MainForm->EndApplication = [] {};
  EXPECT_FALSE(windows->MainForm->isVisible());
  windows->IntroForm->show();
  windows->IntroForm->BeginnerButtonClick();
  EXPECT_FALSE(windows->IntroForm->isVisible());
  EXPECT_TRUE(windows->MainForm->isVisible());
  EXPECT_TRUE(windows->MainForm->SensorsEnabled->isVisible());
  EXPECT_FALSE(windows->MainForm->SensorTabbedNotebook->isVisible());
  windows->MainForm->Quit();
}

// The intro window shows the strip of the main background that it always showed, although it
// no longer decodes the whole picture to cut it.
TEST_F(IntroTest, TheBackgroundIsTheStripOfTheMainBackground) {
  app::TIntroForm intro;
  const auto bytes = app::LoadResource(QStringLiteral("BMP"), 181);
  ASSERT_TRUE(bytes.has_value());
  const QImage whole = QImage::fromData(*bytes);
  ASSERT_FALSE(whole.isNull());
  const QImage expected = whole.copy(40, 100, 361, 130).convertToFormat(QImage::Format_RGB32);
  const QImage shown = intro.Background->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(shown.size(), QSize(361, 130));
  EXPECT_TRUE(shown == expected);
}

// Work that can wait (the virtual robot) starts once the intro window is on the screen.
TEST_F(IntroTest, TheFirstPaintIsToldOnce) {
  app::TIntroForm intro;
  QSignalSpy painted(&intro, &app::TIntroForm::firstPainted);
  QApplication::processEvents();
  EXPECT_EQ(painted.count(), 0) << "not before the window shows";
  intro.show();
  EXPECT_TRUE(painted.wait(2000));
  intro.repaint();
  intro.hide();
  intro.show();
  QApplication::processEvents();
  EXPECT_EQ(painted.count(), 1);
}

TEST_F(IntroTest, TheOtherWindowsAreMadeTheFirstTimeTheyAreNeeded) {
  const int before = QApplication::topLevelWidgets().size();
  auto windows = ui::MakeWindows();
  EXPECT_EQ(QApplication::topLevelWidgets().size(), before + 2) << "the intro and the main window";
  EXPECT_FALSE(windows->TestForm.Made());
  EXPECT_FALSE(windows->ProgressForm.Made());
  EXPECT_FALSE(windows->CodeForm.Made());
  EXPECT_FALSE(windows->Download.Made());

  // The main window reaches them when it needs them; the downloader brings its window along.
  ui::TMainForm& main = *windows->MainForm;
  ASSERT_NE(main.Download.get(), nullptr);
  EXPECT_EQ(main.Download.get(), windows->Download.get());
  EXPECT_TRUE(windows->ProgressForm.Made());
  EXPECT_FALSE(windows->TestForm.Made());
  EXPECT_EQ(main.CodeForm.get(), windows->CodeForm.get());
  // The test window finds the downloader's link and the main window's servo centres.
  ui::TTestForm* test = windows->TestForm.get();
  ASSERT_NE(test, nullptr);
  EXPECT_EQ(test->Slots, &windows->Download->Session().Slots());
  EXPECT_EQ(test->parentWidget(), &main);
  main.Lists.Document().LeftServoCenter = 93;
  EXPECT_EQ(test->ReadServoCenters().first, 93);
}

TEST_F(IntroTest, TheFirstShownWindowIsReportedOnce) {
  char text[64] = {};
  std::FILE* out = fmemopen(text, sizeof text, "w");
  ASSERT_NE(out, nullptr);
  app::FirstShowReport report(out, false);
  qApp->installEventFilter(&report);
  QWidget hidden;
  QApplication::processEvents();
  EXPECT_FALSE(report.Reported());
  QWidget first;
  first.show();
  QWidget second;
  second.show();
  EXPECT_TRUE(QTest::qWaitFor([&] { return report.Reported(); }, 2000));
  QApplication::processEvents();
  qApp->removeEventFilter(&report);
  std::fclose(out);
  EXPECT_STREQ(text, "first window shown\n");
}

}  // namespace
