#pragma once
// The program viewer: shows the program text that the builder made (or the test program the
// test window loaded), coloured, and marks where the last compilation failed. It only shows
// the text; what Go compiles is always the program text itself, rebuilt from the lists.

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace ui {

struct CompileFailure;
class TessicHighlighter;

class TCodeForm : public QDialog {
  Q_OBJECT
 public:
  explicit TCodeForm(QWidget* parent = nullptr);

  QPlainTextEdit* BASICMemo = nullptr;
  QWidget* Panel4 = nullptr;
  QPushButton* OKButton = nullptr;
  // The error text of the failed compilation, shown only when it failed on this very text.
  QLabel* StatusLine = nullptr;

  // Shows the viewer modally with the current program text; returns when it is closed.
  int ShowModal(const CompileFailure* lastFailure);
  // Marks the offending text when `failure` is about the text shown now; clears the mark
  // otherwise. True when a mark was set.
  bool MarkFailure(const CompileFailure* failure);
  // Keeps OKButton centred in Panel4.
  void Panel4Resize();

 public slots:
  // Escape and the window's close box end it like OKButton does.
  void reject() override { accept(); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void ShowProgramText();

  TessicHighlighter* highlighter_ = nullptr;
};

}  // namespace ui
