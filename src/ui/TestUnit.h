#pragma once
#include <QDialog>

namespace ui {

// The test and calibration window, shown modally by the main window's Test command.
class TTestForm : public QDialog {
  Q_OBJECT
 public:
  explicit TTestForm(QWidget* parent = nullptr);
};

}  // namespace ui
