#include "app/IntroForm.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

#include "app/core/Global.h"
#include "app/core/Resources.h"
#include "app/core/Texts.h"
#include "app/core/Version.h"

namespace app {

namespace {
constexpr QSize kClientSize(266, 112);

// The window's background: the main window's background picture where the build has it,
// clipped by the smaller window, else a plain gray.
QPixmap IntroBackground() {
  QPixmap picture(361, 130);
  picture.fill(Qt::gray);
  if (auto bytes = LoadResource(QStringLiteral("BMP"), 181)) {
    const QPixmap source = QPixmap::fromImage(QImage::fromData(*bytes));
    if (!source.isNull()) {
      QPainter painter(&picture);
      // The light body of the picture, below its title band.
      painter.drawPixmap(QPoint(0, 0), source, QRect(QPoint(40, 100), picture.size()));
    }
  }
  return picture;
}
}  // namespace

TIntroForm::TIntroForm(QWidget* parent)
    : QWidget(parent,
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint) {
  setObjectName(QStringLiteral("IntroForm"));
  setFixedSize(kClientSize);
  setAutoFillBackground(true);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, Qt::gray);
  setPalette(palette);

  Background = new QLabel(this);
  Background->setObjectName(QStringLiteral("Background"));
  Background->setGeometry(0, 0, 361, 130);
  Background->setPixmap(IntroBackground());

  BeginnerButton = new QPushButton(this);
  BeginnerButton->setObjectName(QStringLiteral("BeginnerButton"));
  BeginnerButton->setGeometry(72, 16, 125, 33);
  AdvancedButton = new QPushButton(this);
  AdvancedButton->setObjectName(QStringLiteral("AdvancedButton"));
  AdvancedButton->setGeometry(72, 64, 125, 33);

  connect(BeginnerButton, &QPushButton::clicked, this, &TIntroForm::BeginnerButtonClick);
  connect(AdvancedButton, &QPushButton::clicked, this, &TIntroForm::AdvancedButtonClick);
  FormShow();  // captions are known before the first show, so the window never shows blank
}

void TIntroForm::FormShow() {
  BeginnerButton->setText(LoadText(366));
  AdvancedButton->setText(LoadText(367));
  // "Rovalis v<version> - <choose a mode>"
  setWindowTitle(
      LoadText(530).arg(GetVersionText(QString(), QStringLiteral("ProductVersion")), LoadText(368)));
}

void TIntroForm::showEvent(QShowEvent* event) {
  FormShow();
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect frame = geometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
  QWidget::showEvent(event);
}

void TIntroForm::BeginnerButtonClick() {
  choose(false);
}
void TIntroForm::AdvancedButtonClick() {
  choose(true);
}

void TIntroForm::choose(bool advanced) {
  if (chosen_) return;  // the mode is chosen once per run
  chosen_ = true;
  Global().AdvancedMode = advanced;
  hide();
  emit modeChosen(advanced);
}

void TIntroForm::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);
  if (!chosen_) emit closedWithoutChoice();
}

}  // namespace app
