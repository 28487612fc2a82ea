#pragma once
// "Robot virtual": the arena of the virtual robot seen from above while it runs the downloaded
// program, with the robot, its trail, the whiskers and infrared beams lighting when they fire,
// obstacles the user drags with the mouse, play/pause, reset, speed (1x, 4x) and a terminal
// with what the program's DEBUG statements print.

#include <QWidget>

#include "sim/vm/LiveProgram.h"

class QComboBox;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace ui {

// The drawing of the arena; obstacles can be dragged.
class ArenaView : public QWidget {
  Q_OBJECT
 public:
  explicit ArenaView(sim::vm::LiveProgram& live, QWidget* parent = nullptr);
  void SetSnapshot(sim::vm::LiveProgram::Snapshot snapshot);
  QSize sizeHint() const override { return {520, 400}; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QTransform ArenaToWidget() const;
  sim::vm::LiveProgram& live_;
  sim::vm::LiveProgram::Snapshot snapshot_;
  int dragged_ = -1;
  QPointF grabOffset_;
};

class VirtualRobotWindow : public QWidget {
  Q_OBJECT
 public:
  // `live` must outlive the window.
  explicit VirtualRobotWindow(sim::vm::LiveProgram& live, QWidget* parent = nullptr);

  ArenaView* Arena = nullptr;
  QPushButton* PlayButton = nullptr;
  QPushButton* ResetButton = nullptr;
  QComboBox* SpeedBox = nullptr;
  QPlainTextEdit* Terminal = nullptr;

  // Takes a new snapshot of the robot and redraws (the timer does this every 40 ms).
  void Refresh();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  sim::vm::LiveProgram& live_;
  QTimer* timer_ = nullptr;
};

}  // namespace ui
