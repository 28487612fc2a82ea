// The help panel's notices: a program sent, and the test window open.

#include <gtest/gtest.h>

#include <QDialog>
#include <QLocale>
#include <QPlainTextEdit>
#include <QTimer>

#include "QtEnvironment.h"
#include "app/core/Global.h"
#include "app/core/Texts.h"
#include "ui/MainWindow.h"
#include "ui/PictureButtons.h"
#include "ui/Startup.h"
#include "ui/TestUnit.h"

namespace {

class HelpNoticeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    uitest::ClearSettings();
    app::Global() = app::StartGlobal();
  }
  void TearDown() override { app::Global() = app::StartGlobal(); }
  static QString Help(const ui::TMainForm& form) { return form.HelpMemo->toPlainText(); }
};

TEST_F(HelpNoticeTest, AProgramSentIsToldWithPortAndTimeAndOutlastsTheHelpUnderTheMouse) {
  const struct {
    qint64 milliseconds;
    double seconds;
  } cases[] = {{0, 0.0}, {2340, 2.3}, {12960, 13.0}};
  for (const auto& c : cases) {
    ui::TMainForm form;
    form.show();
    form.ShowProgramSent(QStringLiteral("ttyUSB0"), c.milliseconds);
    const QString expected = app::LoadText(ui::kProgramSentText)
                                 .arg(QStringLiteral("ttyUSB0"), QLocale().toString(c.seconds, 'f', 1));
    EXPECT_EQ(Help(form), expected);
    EXPECT_TRUE(Help(form).contains(QStringLiteral("ttyUSB0")));
    // Moving the mouse over the window does not wipe it at once...
    form.ButtonMouseMove(form.Pictures[ui::ButtonOf(ui::kGoButton).Normal]);
    form.ShowHelpText(ui::kBlankHelpText);
    EXPECT_EQ(Help(form), expected);
    // ...but another notice does.
    form.ShowHelpText(600);
    EXPECT_EQ(Help(form), app::LoadText(600));
  }
}

TEST_F(HelpNoticeTest, WhileTheTestWindowIsOpenTheHelpPanelSaysSo) {
  auto windows = ui::MakeWindows();
  ui::TMainForm& main = *windows->MainForm;
  main.EndApplication = [] {};
  main.show();
  ui::TTestForm* test = windows->TestForm.get();
  QString whileOpen;
  bool testShown = false;
  QTimer::singleShot(0, test, [&] {
    testShown = test->isVisible();
    whileOpen = Help(main);
    test->close();
  });
  main.Test();
  EXPECT_TRUE(testShown);
  EXPECT_EQ(whileOpen, app::LoadText(ui::kTestRunningText));
  EXPECT_EQ(Help(main), app::LoadText(ui::kBlankHelpText)) << "gone when the window closes";
  EXPECT_FALSE(test->isVisible());

  // A help text that replaced it meanwhile stays.
  QTimer::singleShot(0, test, [&] {
    main.ShowHelpText(440);
    test->close();
  });
  main.Test();
  EXPECT_EQ(Help(main), app::LoadText(440));
  main.Quit();
}

}  // namespace
