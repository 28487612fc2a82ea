#pragma once
#include <QDialog>

class QPlainTextEdit;

namespace ui {

// The program viewer: shows the program text that the builder made.
class TCodeForm : public QDialog {
  Q_OBJECT
 public:
  explicit TCodeForm(QWidget* parent = nullptr);
  QPlainTextEdit* BASICMemo = nullptr;

 private:
  void showProgramText();
};

}  // namespace ui
