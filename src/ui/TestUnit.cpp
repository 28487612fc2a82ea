#include "ui/TestUnit.h"

#include "app/core/Texts.h"

namespace ui {

TTestForm::TTestForm(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TestForm"));
  setWindowTitle(app::LoadText(414));
  resize(454, 480);
}

}  // namespace ui
