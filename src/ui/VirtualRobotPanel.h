#pragma once
// The virtual robot inside the application (--virtual-robot): a module on a pseudo-terminal
// whose port joins the port list, and a small window in which the user presses its whiskers
// and blocks its infrared detectors, and sees the servo pulse widths the test mode sends.

#include <QWidget>
#include <atomic>
#include <cstdint>
#include <memory>

class QCheckBox;
class QLabel;
class QPushButton;
class QTimer;

namespace sim {
class VirtualRobot;
}

namespace ui {

// Answer bits of the test program: the sensors as the robot reports them.
enum VirtualSensor : std::uint8_t {
  kLeftInfrared = 1,
  kRightInfrared = 2,
  kLeftWhisker = 4,
  kRightWhisker = 8,
};

class VirtualRobotPanel : public QWidget {
  Q_OBJECT
 public:
  // Answers for `robot`, which must outlive the panel.
  explicit VirtualRobotPanel(sim::VirtualRobot& robot, QWidget* parent = nullptr);
  ~VirtualRobotPanel() override;

  QCheckBox* LeftWhiskerBox = nullptr;
  QCheckBox* RightWhiskerBox = nullptr;
  QCheckBox* LeftInfraredBox = nullptr;
  QCheckBox* RightInfraredBox = nullptr;
  QLabel* PortLabel = nullptr;
  QLabel* ServoLabel = nullptr;
  // Brings the "Robot virtual" window back; shown once the panel has such a window.
  QPushButton* ShowWindowButton = nullptr;

  // The answer byte that the boxes make.
  std::uint8_t SensorByte() const;
  // The servo widths of the last test command (right, left), -1 before the first.
  int LastRightWidth() const { return lastRight_; }
  int LastLeftWidth() const { return lastLeft_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void SensorsChanged();
  void ShowServos();

  sim::VirtualRobot& robot_;
  std::atomic<int> lastRight_{-1};
  std::atomic<int> lastLeft_{-1};
  std::atomic<std::uint8_t> sensors_{0};
  QTimer* refresh_ = nullptr;
};

class VirtualRobotWindow;

// A running virtual robot whose port is offered in the port list, with its panel and the
// "Robot virtual" window in which it runs what was downloaded.
struct VirtualRobotSession {
  std::unique_ptr<sim::VirtualRobot> Robot;
  std::unique_ptr<VirtualRobotPanel> Panel;
  std::unique_ptr<VirtualRobotWindow> Window;
  ~VirtualRobotSession();
};

// Starts a virtual robot paced like the real wire, adds its port to the port list and shows
// its panel. Null (with the reason in `error`) when no pseudo-terminal could be opened.
std::unique_ptr<VirtualRobotSession> StartVirtualRobot(QString* error);

}  // namespace ui
