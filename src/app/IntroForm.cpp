#include "app/IntroForm.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include "app/BitmapCut.h"
#include "app/core/Global.h"
#include "app/core/LayoutNumbers.h"
#include "app/core/Layouts.h"
#include "app/core/Resources.h"
#include "app/core/Texts.h"
#include "app/core/Version.h"

namespace app {

namespace {
constexpr QSize kClientSize(266, 112);

constexpr QSize kBackgroundSize(361, 130);
// The light body of the main window's background, below its title band.
constexpr QPoint kBackgroundCutAt(40, 100);

// The window's background: a strip of the main window's background picture where the build
// has it, clipped by the smaller window, else a plain gray. Only the strip is decoded: the
// whole picture would cost the start a good part of its time.
QPixmap IntroBackground() {
  QPixmap picture(kBackgroundSize);
  picture.fill(Qt::gray);
  if (auto bytes = LoadResource(QStringLiteral("BMP"), kPictureOffset + kBackgroundSlot)) {
    const QImage strip = CutBitmap(*bytes, QRect(kBackgroundCutAt, kBackgroundSize));
    if (!strip.isNull()) {
      QPainter painter(&picture);
      painter.drawImage(QPoint(0, 0), strip);
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
  Background->setGeometry(QRect(QPoint(0, 0), kBackgroundSize));
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

void TIntroForm::paintEvent(QPaintEvent* event) {
  QWidget::paintEvent(event);
  if (painted_) return;
  painted_ = true;
  // Told once the paint is done, so that the window is on the screen before the work starts.
  QTimer::singleShot(0, this, &TIntroForm::firstPainted);
}

void TIntroForm::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);
  if (!chosen_) emit closedWithoutChoice();
}

}  // namespace app
