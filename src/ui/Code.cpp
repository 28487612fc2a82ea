#include "ui/Code.h"

#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QVBoxLayout>

#include "app/core/ProgramText.h"
#include "app/core/Texts.h"
#include "ui/ProgramDownload.h"
#include "ui/TessicHighlighter.h"
#include "ui/WindowSkin.h"

namespace ui {

namespace {
constexpr int kMargin = 10;
constexpr int kBottomPanelHeight = 47;
constexpr int kButtonTop = 14;
}  // namespace

TCodeForm::TCodeForm(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("CodeForm"));
  setWindowTitle(app::LoadText(515));  // "Rovalis Code"
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                 Qt::WindowCloseButtonHint);
  setSizeGripEnabled(true);
  resize(798, 617);

  BASICMemo = new QPlainTextEdit(this);
  BASICMemo->setObjectName(QStringLiteral("BASICMemo"));
  QFont courier(QStringLiteral("Courier"));
  courier.setStyleHint(QFont::TypeWriter);
  courier.setFixedPitch(true);
  courier.setPixelSize(11);
  BASICMemo->setFont(courier);
  BASICMemo->setReadOnly(true);
  BASICMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
  BASICMemo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  BASICMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  highlighter_ = new TessicHighlighter(BASICMemo->document());

  StatusLine = new QLabel(this);
  StatusLine->setObjectName(QStringLiteral("StatusLine"));
  StatusLine->setStyleSheet(QStringLiteral("QLabel { color: #a00000; }"));
  StatusLine->setTextInteractionFlags(Qt::TextSelectableByMouse);
  StatusLine->hide();

  Panel4 = new QWidget(this);
  Panel4->setObjectName(QStringLiteral("Panel4"));
  Panel4->setFixedHeight(kBottomPanelHeight);
  Panel4->installEventFilter(this);
  OKButton = new QPushButton(app::LoadText(531), Panel4);  // "Close"
  OKButton->setObjectName(QStringLiteral("OKButton"));
  OKButton->resize(75, 25);
  OKButton->move(0, kButtonTop);
  OKButton->setDefault(true);
  connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
  SkinButton(OKButton, SkinColour::Blue);
  SkinWindow(this);

  // 10-pixel spacers left, top and right; the bottom panel holds the button.
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(kMargin, kMargin, kMargin, 0);
  layout->setSpacing(0);
  layout->addWidget(BASICMemo, 1);
  layout->addSpacing(4);
  layout->addWidget(StatusLine);
  layout->addWidget(Panel4);

  connect(&app::TheProgramText(), &app::ProgramText::changed, this, &TCodeForm::ShowProgramText);
  ShowProgramText();
}

// The program lies on a card in the 10-pixel margins, as the main window's lists do.
void TCodeForm::paintEvent(QPaintEvent* event) {
  QDialog::paintEvent(event);
  QPainter painter(this);
  DrawCard(painter, this, BASICMemo->geometry().adjusted(-6, -6, 6, 6), SkinColour::Blue);
}

void TCodeForm::ShowProgramText() {
  BASICMemo->setPlainText(app::TheProgramText().lines().join(u'\n'));
  MarkFailure(nullptr);
}

int TCodeForm::ShowModal(const CompileFailure* lastFailure) {
  ShowProgramText();
  MarkFailure(lastFailure);
  OKButton->setFocus();
  return exec();
}

bool TCodeForm::MarkFailure(const CompileFailure* failure) {
  const bool applies =
      failure != nullptr && failure->Failed && failure->Lines == app::TheProgramText().lines();
  QList<QTextEdit::ExtraSelection> marks;
  if (applies && failure->Length > 0) {
    QTextCursor cursor(BASICMemo->document()->findBlockByNumber(failure->Line));
    const int available = BASICMemo->document()->characterCount() - 1 - cursor.position();
    cursor.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, std::min(failure->Column, available));
    // An error can reach over a line end; the mark follows the text as far as it goes.
    const int reach = BASICMemo->document()->characterCount() - 1 - cursor.position();
    cursor.movePosition(QTextCursor::Right, QTextCursor::KeepAnchor,
                        std::max(1, std::min(failure->Length, reach)));
    QTextEdit::ExtraSelection mark;
    mark.cursor = cursor;
    mark.format.setBackground(QColor(0xFF, 0xD0, 0xD0));
    mark.format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
    mark.format.setUnderlineColor(Qt::red);
    marks << mark;
    BASICMemo->setTextCursor(QTextCursor(cursor.block()));
    BASICMemo->centerCursor();
  }
  BASICMemo->setExtraSelections(marks);
  StatusLine->setText(applies ? failure->ErrorText : QString());
  StatusLine->setVisible(applies);
  return applies && !marks.isEmpty();
}

void TCodeForm::Panel4Resize() {
  OKButton->move(Panel4->width() / 2 - OKButton->width() / 2, kButtonTop);
}

bool TCodeForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Panel4 && event->type() == QEvent::Resize) Panel4Resize();
  return QDialog::eventFilter(watched, event);
}

}  // namespace ui
