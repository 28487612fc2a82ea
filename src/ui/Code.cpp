#include "ui/Code.h"

#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "app/core/ProgramText.h"

namespace ui {

TCodeForm::TCodeForm(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("CodeForm"));
  setWindowTitle(QStringLiteral("Rovalis"));
  resize(600, 500);
  BASICMemo = new QPlainTextEdit(this);
  BASICMemo->setObjectName(QStringLiteral("BASICMemo"));
  BASICMemo->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(BASICMemo);
  connect(&app::TheProgramText(), &app::ProgramText::changed, this, &TCodeForm::showProgramText);
  showProgramText();
}

void TCodeForm::showProgramText() { BASICMemo->setPlainText(app::TheProgramText().lines().join(u'\n')); }

}  // namespace ui
