#pragma once
#include <QWidget>

class QLabel;
class QPushButton;

namespace app {

// The small window in which the user chooses the beginner or the advanced mode. The choice
// holds for the whole run; closing the window without a choice ends the program.
class TIntroForm : public QWidget {
  Q_OBJECT
 public:
  explicit TIntroForm(QWidget* parent = nullptr);

  QPushButton* BeginnerButton = nullptr;
  QPushButton* AdvancedButton = nullptr;
  QLabel* Background = nullptr;

  void FormShow();
  void BeginnerButtonClick();
  void AdvancedButtonClick();

 signals:
  // A mode was chosen (AdvancedMode is already set); the main window is to be shown.
  void modeChosen(bool advanced);
  // The window was closed without a choice.
  void closedWithoutChoice();
  // The window has been painted for the first time; work that can wait for it starts now.
  void firstPainted();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void choose(bool advanced);
  bool chosen_ = false;
  bool painted_ = false;
};

}  // namespace app
