#pragma once
#include <QDialog>

namespace ui {

// The download progress window.
class TProgressForm : public QDialog {
  Q_OBJECT
 public:
  explicit TProgressForm(QWidget* parent = nullptr);
};

}  // namespace ui
