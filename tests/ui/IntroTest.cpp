#include <gtest/gtest.h>

#include <QCheckBox>
#include <QPushButton>
#include <QSignalSpy>

#include "QtEnvironment.h"
#include "app/IntroForm.h"
#include "app/core/Global.h"
#include "ui/MainWindow.h"
#include "ui/Startup.h"

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
  const struct {
    bool advanced;
  } cases[] = {{false}, {true}};
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

}  // namespace
