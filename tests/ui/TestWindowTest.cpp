// The test and calibration window: against a virtual robot (download of the test program,
// the live exchange, the drawing) and on its own (sliders and spin edits, check boxes,
// calibration).

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <mutex>

#include "GoTestSupport.h"
#include "QtEnvironment.h"
#include "app/ShowError.h"
#include "app/core/ProgramText.h"
#include "app/core/Settings.h"
#include "app/core/Texts.h"
#include "comm/Session.h"
#include "ui/FilledShape.h"
#include "ui/MainWindow.h"
#include "ui/Progress.h"
#include "ui/Startup.h"
#include "ui/TestUnit.h"

namespace {

const QColor kRed(0xFF, 0, 0);
const QColor kBlack(0, 0, 0);

// What the robot's test program sees: every command, and the answer it gives.
struct RobotSide {
  std::mutex lock;
  std::vector<sim::TestCommand> commands;
  std::optional<std::uint8_t> answer = 0;

  void Attach(sim::VirtualRobot& robot) {
    robot.SetCommandHandler([this](const sim::TestCommand& command) {
      std::lock_guard guard(lock);
      commands.push_back(command);
      return answer;
    });
  }
  std::size_t count() {
    std::lock_guard guard(lock);
    return commands.size();
  }
  sim::TestCommand last() {
    std::lock_guard guard(lock);
    return commands.empty() ? sim::TestCommand{} : commands.back();
  }
  void SetAnswer(std::optional<std::uint8_t> value) {
    std::lock_guard guard(lock);
    answer = value;
  }
};

int Width(const sim::TestCommand& command, int offset) {
  return command[offset] | (command[offset + 1] << 8);
}

class TestWindowFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    previousBox_ = app::SetErrorBoxHandler([this](const QString& text) { errors.push_back(text); });
    windows = ui::MakeWindows();
    test = windows->TestForm.get();
    windows->ProgressForm->ClosePauseMs = 0;
    windows->ProgressForm->TokenizeFailureBox = [this](const QString& text, const QString&) {
      errors.push_back(text);
    };
  }
  void TearDown() override {
    if (test->isVisible()) test->close();
    app::SetErrorBoxHandler(previousBox_);
    windows.reset();
  }
  // Shows the window as the Test command does, but without blocking in its modal loop.
  void ShowTestWindow() {
    test->show();
    QApplication::processEvents();
  }

  std::unique_ptr<ui::Windows> windows;
  ui::TTestForm* test = nullptr;
  std::vector<QString> errors;

 private:
  app::ErrorBoxHandler previousBox_;
};

TEST_F(TestWindowFixture, RunTestDownloadsTheTestProgramAndExchangesEvery10ms) {
  gotest::RobotBench bench(1);
  ASSERT_TRUE(bench.started());
  RobotSide robot;
  robot.Attach(bench.robot(0));
  ShowTestWindow();
  test->RServoSpinEdit->setValue(760);
  test->LServoSpinEdit->setValue(740);
  test->RunTestButton->click();

  ASSERT_TRUE(errors.empty()) << errors.front().toStdString();
  EXPECT_TRUE(bench.robot(0).WaitForDownloads(1, 5000));
  EXPECT_GT(test->TestSlot, -4) << "the port stays open for the exchange";
  EXPECT_TRUE(comm::TheSession().Slots().SlotPort(test->TestSlot).IsOpen());
  EXPECT_TRUE(test->TestTimer->isActive());
  EXPECT_EQ(test->TestTimer->interval(), 10);
  EXPECT_EQ(app::TheProgramText().lines().value(0), "'{$VARDA VD2}")
      << "the program text is the test program";

  // Right width first, then left, little-endian.
  ASSERT_TRUE(gotest::WaitUntil([&] { return robot.count() >= 3; }));
  EXPECT_EQ(Width(robot.last(), 0), 760);
  EXPECT_EQ(Width(robot.last(), 2), 740);

  // The drawing follows the answer byte, bit by bit.
  struct Case {
    std::uint8_t answer;
    bool leftIr, rightIr, leftPressed, rightPressed;
  };
  const Case cases[] = {{0x01, true, false, false, false}, {0x02, false, true, false, false},
                        {0x04, false, false, true, false}, {0x08, false, false, false, true},
                        {0x0F, true, true, true, true},    {0x00, false, false, false, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(int(c.answer));
    robot.SetAnswer(c.answer);
    auto shows = [&] {
      return (test->LeftIrSensorLens->fillColor() == (c.leftIr ? kRed : kBlack)) &&
             (test->LeftIrSensor->fillColor() == (c.leftIr ? kRed : kBlack)) &&
             (test->RightIrSensorLens->fillColor() == (c.rightIr ? kRed : kBlack)) &&
             (test->RightIrSensor->fillColor() == (c.rightIr ? kRed : kBlack)) &&
             test->LeftWhisker2->isVisibleTo(test) == c.leftPressed &&
             test->LeftWhisker1->isVisibleTo(test) == !c.leftPressed &&
             test->RightWhisker2->isVisibleTo(test) == c.rightPressed &&
             test->RightWhisker1->isVisibleTo(test) == !c.rightPressed;
    };
    EXPECT_TRUE(gotest::WaitUntil(shows));
  }

  // Unchecking a side sends 0 for it and disables its controls.
  QTest::mouseClick(test->LeftCheckBox, Qt::LeftButton);
  EXPECT_FALSE(test->LServoSpinEdit->isEnabled());
  EXPECT_FALSE(test->LeftTireSpeed->isEnabled());
  EXPECT_TRUE(
      gotest::WaitUntil([&] { return Width(robot.last(), 2) == 0 && Width(robot.last(), 0) == 760; }));

  // A robot that stops answering shows every sensor active.
  robot.SetAnswer(std::nullopt);
  EXPECT_TRUE(gotest::WaitUntil([&] {
    return test->LeftIrSensorLens->fillColor() == kRed && test->RightIrSensor->fillColor() == kRed &&
           test->LeftWhisker2->isVisibleTo(test) && test->RightWhisker2->isVisibleTo(test);
  }));

  // Closing stops the timer and closes the port.
  const int slot = test->TestSlot;
  test->ExitButton->click();
  EXPECT_FALSE(test->TestTimer->isActive());
  EXPECT_FALSE(comm::TheSession().Slots().SlotPort(slot).IsOpen());
  EXPECT_EQ(test->TestSlot, -4);
  EXPECT_TRUE(test->RunTestButton->isEnabled());
}

TEST_F(TestWindowFixture, RunTestWithoutARobotStaysIdle) {
  gotest::RobotBench bench(0);
  ShowTestWindow();
  test->RunTestButton->click();
  EXPECT_EQ(errors, std::vector<QString>{app::LoadText(412)});
  EXPECT_EQ(test->TestSlot, -4);
  EXPECT_FALSE(test->TestTimer->isActive());
}

TEST_F(TestWindowFixture, CalibrationIsStoredAndShownAgain) {
  ShowTestWindow();
  test->RServoSpinEdit->setValue(760);
  test->LServoSpinEdit->setValue(740);
  test->SetCalibrationButton->click();
  const actions::ListDocument& doc = windows->MainForm->Lists.Document();
  EXPECT_EQ(doc.RightServoCenter, 110);
  EXPECT_EQ(doc.LeftServoCenter, 90);
  EXPECT_EQ(windows->MainForm->Settings().RightServoCenter, 110) << "reaches the settings store at the end";
  test->ExitButton->click();

  ShowTestWindow();
  EXPECT_EQ(test->RServoSpinEdit->value(), 760);
  EXPECT_EQ(test->LServoSpinEdit->value(), 740);
  EXPECT_EQ(test->RightTireSpeed->value(), 760) << "the slider shows the same width";
  EXPECT_EQ(test->LeftTireSpeed->value(), 740);
}

TEST_F(TestWindowFixture, StoredCentresComeFromTheSettingsAndGoBackToThem) {
  uitest::ClearSettings();
  {
    app::SettingsValues stored;
    stored.LeftServoCenter = 90;
    stored.RightServoCenter = 110;
    auto store = app::OpenUserSettings();
    app::WriteSettings(*store, stored);
    store->sync();
  }
  windows->MainForm->LoadSettings();
  ShowTestWindow();
  EXPECT_EQ(test->LServoSpinEdit->value(), 740);
  EXPECT_EQ(test->RServoSpinEdit->value(), 760);
  // A new calibration reaches the store when the program ends.
  test->LServoSpinEdit->setValue(700);
  test->RServoSpinEdit->setValue(800);
  test->SetCalibrationButton->click();
  windows->MainForm->SaveSettings();
  app::SettingsValues read;
  auto store = app::OpenUserSettings();
  app::ReadSettings(*store, read);
  EXPECT_EQ(read.LeftServoCenter, 50);
  EXPECT_EQ(read.RightServoCenter, 150);
  uitest::ClearSettings();
}

TEST_F(TestWindowFixture, CaptionsAndLayoutFromTheRecords) {
  ShowTestWindow();
  EXPECT_EQ(test->windowTitle(), app::LoadText(414));
  EXPECT_EQ(test->size(), QSize(454, 480));
  struct Case {
    QWidget* control;
    QString caption;
    QRect place;
  };
  const Case cases[] = {
      {test->LeftServoLabel, app::LoadText(415), QRect(12, 12, 110, 18)},
      {test->RightServoLabel, app::LoadText(415), QRect(332, 12, 110, 18)},
      {test->LeftEnabledLabel, app::LoadText(416), QRect(32, 306, 90, 36)},
      {test->RightEnabledLabel, app::LoadText(417), QRect(352, 306, 90, 36)},
      {test->RunTestButton, app::LoadText(419), QRect(12, 372, 211, 36)},
      {test->DefaultButton, app::LoadText(420), QRect(231, 372, 211, 36)},
      {test->SetCalibrationButton, app::LoadText(421), QRect(12, 420, 211, 36)},
      {test->ExitButton, app::LoadText(422), QRect(231, 420, 211, 36)},
      {test->BotPanel, QString(), QRect(132, 12, 190, 330)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.control->objectName().toStdString());
    EXPECT_EQ(c.control->geometry(), c.place);
    if (auto* label = qobject_cast<QLabel*>(c.control); label && !c.caption.isEmpty()) {
      EXPECT_EQ(label->text(), c.caption);
    }
    if (auto* button = qobject_cast<QPushButton*>(c.control)) {
      EXPECT_EQ(button->text(), c.caption);
    }
  }
  EXPECT_EQ(test->BackLabel->text(), app::LoadText(418));
}

TEST_F(TestWindowFixture, SpinEditsAndSlidersStayEqual) {
  ShowTestWindow();
  // Typing 820 and Enter moves the slider and focuses it.
  test->activateWindow();
  test->RServoSpinEdit->setFocus();
  test->RServoSpinEdit->selectAll();
  QTest::keyClicks(test->RServoSpinEdit, QStringLiteral("820"));
  QTest::keyClick(test->RServoSpinEdit, Qt::Key_Return);
  EXPECT_EQ(test->RightTireSpeed->value(), 820);
  EXPECT_EQ(test->RServoSpinEdit->value(), 820);
  EXPECT_TRUE(test->RightTireSpeed->hasFocus());

  // Moving a slider sets its spin edit (and only its own side).
  test->LeftTireSpeed->setValue(700);
  EXPECT_EQ(test->LServoSpinEdit->value(), 700);
  EXPECT_EQ(test->RServoSpinEdit->value(), 820);
  EXPECT_FALSE(test->LeftSyncBusy);
  // A large step of the slider is 10.
  EXPECT_EQ(test->LeftTireSpeed->pageStep(), 10);

  // Default puts both back to 750, sliders included.
  test->DefaultButton->click();
  EXPECT_EQ(test->LServoSpinEdit->value(), 750);
  EXPECT_EQ(test->RServoSpinEdit->value(), 750);
  EXPECT_EQ(test->LeftTireSpeed->value(), 750);
  EXPECT_EQ(test->RightTireSpeed->value(), 750);

  // The range is 650..850 on both controls.
  test->RightTireSpeed->setValue(900);
  EXPECT_EQ(test->RServoSpinEdit->value(), 850);
  test->RightTireSpeed->setValue(600);
  EXPECT_EQ(test->RServoSpinEdit->value(), 650);
}

TEST_F(TestWindowFixture, CheckBoxesEnableEachSideAndSetTheCommand) {
  ShowTestWindow();
  test->RServoSpinEdit->setValue(800);
  test->LServoSpinEdit->setValue(700);
  struct Case {
    bool left, right;
    std::array<std::uint8_t, 4> bytes;
  };
  const Case cases[] = {
      {true, true, {0x20, 0x03, 0xBC, 0x02}},  // 800 = 0x0320, 700 = 0x02BC
      {false, true, {0x20, 0x03, 0x00, 0x00}},
      {true, false, {0x00, 0x00, 0xBC, 0x02}},
      {false, false, {0x00, 0x00, 0x00, 0x00}},
  };
  for (const Case& c : cases) {
    test->LeftCheckBox->setChecked(c.left);
    test->RightCheckBox->setChecked(c.right);
    test->CheckBoxClick();
    EXPECT_EQ(test->CommandBytes(), c.bytes);
    EXPECT_EQ(test->LServoSpinEdit->isEnabled(), c.left);
    EXPECT_EQ(test->LeftTireSpeed->isEnabled(), c.left);
    EXPECT_EQ(test->RServoSpinEdit->isEnabled(), c.right);
    EXPECT_EQ(test->RightTireSpeed->isEnabled(), c.right);
  }
}

TEST_F(TestWindowFixture, ClosingBeforeAnyTestClosesNoPort) {
  ShowTestWindow();
  EXPECT_EQ(test->TestSlot, -4);
  const int busyBefore = comm::TheSession().Slots().BusyCount();
  test->close();
  EXPECT_EQ(comm::TheSession().Slots().BusyCount(), busyBefore);
  EXPECT_FALSE(test->TestTimer->isActive());
  EXPECT_FALSE(test->LServoSpinEdit->isEnabled());
}

}  // namespace
