#pragma once
// The test and calibration window. Run test downloads the test program and keeps its port
// open; every 10 ms the window then sends the two servo pulse widths and shows the robot's
// answer byte on a drawing of the robot (infrared detectors red, whiskers bent). The chosen
// centres can be stored as the servo calibration that every later robot program uses.

#include <QDialog>
#include <array>
#include <cstdint>
#include <functional>

class QCheckBox;
class QLabel;
class QPushButton;
class QScrollBar;
class QSpinBox;
class QTimer;

namespace comm {
class LinkThread;
class PortSlots;
}  // namespace comm

namespace ui {

class FilledShape;

class TTestForm : public QDialog {
  Q_OBJECT
 public:
  explicit TTestForm(QWidget* parent = nullptr);
  ~TTestForm() override;

  // --- controls ---
  QSpinBox* LServoSpinEdit = nullptr;
  QSpinBox* RServoSpinEdit = nullptr;
  QScrollBar* LeftTireSpeed = nullptr;
  QScrollBar* RightTireSpeed = nullptr;
  QCheckBox* LeftCheckBox = nullptr;
  QCheckBox* RightCheckBox = nullptr;
  FilledShape* LeftIrSensorLens = nullptr;
  FilledShape* LeftIrSensor = nullptr;
  FilledShape* RightIrSensorLens = nullptr;
  FilledShape* RightIrSensor = nullptr;
  QLabel* LeftWhisker1 = nullptr;
  QLabel* LeftWhisker2 = nullptr;
  QLabel* RightWhisker1 = nullptr;
  QLabel* RightWhisker2 = nullptr;
  QPushButton* RunTestButton = nullptr;
  QPushButton* DefaultButton = nullptr;
  QPushButton* SetCalibrationButton = nullptr;
  QPushButton* ExitButton = nullptr;
  QLabel* BotPanel = nullptr;
  QWidget* LeftServoEnabledPanel = nullptr;
  QWidget* RightServoEnabledPanel = nullptr;
  QLabel* LeftServoLabel = nullptr;
  QLabel* RightServoLabel = nullptr;
  QLabel* LeftEnabledLabel = nullptr;
  QLabel* RightEnabledLabel = nullptr;
  QLabel* BackLabel = nullptr;

  // --- state ---
  int TestSlot = -4;
  QTimer* TestTimer = nullptr;
  bool LeftSyncBusy = false;
  bool RightSyncBusy = false;

  // --- what the window uses from the rest of the program ---
  // Compiles and downloads the program text; keeps the port open when asked. The slot, or -4.
  std::function<int(bool keepPortOpen)> DownloadTokenization;
  // The stored servo centres (pulse width - 650) and where Set calibration stores them.
  std::function<std::pair<std::uint8_t, std::uint8_t>()> ReadServoCenters;  // left, right
  std::function<void(std::uint8_t left, std::uint8_t right)> StoreServoCenters;
  comm::PortSlots* Slots = nullptr;
  // The thread that owns the test port; without one the exchange runs on this thread.
  comm::LinkThread* Link = nullptr;

  // --- handlers ---
  void FormShow();
  void FormClose();
  void RunTestButtonClick();
  void TestOnTimer();
  void RightPulseChange(QObject* sender);
  void LeftPulseChange(QObject* sender);
  void SpinEditKeyUp(QObject* sender, int key);
  void DefaultButtonClick();
  void SetCalibrationButtonClick();
  void CheckBoxClick();
  void ExitButtonClick();

  // The 4 command bytes of the current settings: right width, then left width, little-endian.
  std::array<std::uint8_t, 4> CommandBytes() const;
  // Shows an answer byte on the drawing (-1, no answer, shows every sensor active).
  void ShowSensors(int answer);

 public slots:
  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void MakeControls();
  void MakeServoControls();
  void MakeButtons();
  void MakeRobotDrawing();
  void ConnectControls();
  void SyncSliders();
  // Closes the test port on the thread that owns it, after any exchange still under way.
  void CloseTestPort();
  void RunOnLink(const std::function<void()>& job);

  std::pair<std::uint8_t, std::uint8_t> ownCenters_{100, 100};
  // An exchange is on the link thread; the timer skips its turn rather than queue another.
  bool exchangePending_ = false;
  // The test program is being downloaded: the window's buttons and its closing wait.
  bool downloading_ = false;
};

}  // namespace ui
