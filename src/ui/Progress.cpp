#include "ui/Progress.h"

#include "app/core/Texts.h"

namespace ui {

TProgressForm::TProgressForm(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("ProgressForm"));
  setWindowTitle(app::LoadText(423));
}

}  // namespace ui
