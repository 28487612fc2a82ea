// While the test window is open over the main window, the virtual robot's panel still works:
// its whisker and infrared boxes toggle by mouse and by the keys 1-4 and reach the robot,
// while the main window itself takes no clicks until the test window closes.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include "QtEnvironment.h"
#include "sim/VirtualRobot.h"
#include "ui/TestUnit.h"
#include "ui/VirtualRobotPanel.h"

namespace {

struct Stage {
  QWidget main;
  QPushButton* command = new QPushButton(QStringLiteral("Go"), &main);
  sim::VirtualRobot robot;
  ui::VirtualRobotPanel panel{robot};
  ui::TTestForm* test = new ui::TTestForm(&main);
  int commandClicks = 0;

  Stage() {
    main.resize(400, 300);
    command->setGeometry(10, 10, 100, 30);
    QObject::connect(command, &QPushButton::clicked, [this] { ++commandClicks; });
    main.show();
    panel.show();
  }
};

// Clicks and keys go through the windows, as the user's do, so a window that a modal one
// blocks does not get them (the widget overloads of QTest would hand them over regardless).
void Click(QWidget* widget, QPoint at) {
  QWidget* window = widget->window();
  QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, widget->mapTo(window, at));
}

// Runs `checks` inside the test window's modal loop, shown as the Test command shows it.
void WhileTestWindowRuns(ui::TTestForm* test, const std::function<void()>& checks) {
  QTimer::singleShot(0, test, [test, checks] {
    checks();
    test->close();
  });
  QTimer::singleShot(10000, test, [test] { test->close(); });  // never hang the suite
  test->exec();
}

TEST(TestWindowWithPanel, PanelBoxesAndKeysReachTheRobotWhileTheMainWindowWaits) {
  Stage stage;
  // Twice: the second showing must not have become modal to the whole application.
  for (int showing = 0; showing < 2; ++showing) {
    SCOPED_TRACE(showing);
    stage.robot.SetSensorByte(0);
    for (QCheckBox* box : {stage.panel.LeftWhiskerBox, stage.panel.RightWhiskerBox,
                           stage.panel.LeftInfraredBox, stage.panel.RightInfraredBox})
      box->setChecked(false);
    WhileTestWindowRuns(stage.test, [&stage] {
      ASSERT_TRUE(stage.test->isVisible());
      Click(stage.panel.LeftWhiskerBox, QPoint(8, stage.panel.LeftWhiskerBox->height() / 2));
      QTest::keyClick(stage.panel.windowHandle(), Qt::Key_3);  // the left infrared detector
      Click(stage.command, stage.command->rect().center());
    });
    EXPECT_TRUE(stage.panel.LeftWhiskerBox->isChecked());
    EXPECT_TRUE(stage.panel.LeftInfraredBox->isChecked());
    EXPECT_EQ(stage.robot.sensorByte(), ui::kLeftWhisker | ui::kLeftInfrared);
    EXPECT_EQ(stage.commandClicks, 0) << "the main window's commands wait for the test window";
  }
  // With the test window closed the main window takes its clicks again.
  Click(stage.command, stage.command->rect().center());
  EXPECT_EQ(stage.commandClicks, 1);
}

}  // namespace
