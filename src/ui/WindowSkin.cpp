#include "ui/WindowSkin.h"

#include <QEvent>
#include <QPainter>
#include <QPushButton>

#include "app/PictureSlot.h"

namespace ui {

namespace {

// The border of a nine-slice picture that is drawn as it is; the rest stretches.
constexpr int kSlice = 12;
const QColor kCaptionInk(0xFF, 0xFF, 0xFF);
const QColor kCaptionShadow(0, 0, 0, 90);
const QColor kCoverInk(0x8E, 0x99, 0xA5);

// Draws `picture` over `target` keeping its corners and stretching its edges and middle.
// Works in logical pixels, so a picture with device pixel ratio 2 stays sharp.
void DrawNineSlice(QPainter& painter, const QRect& target, const QPixmap& picture) {
  if (picture.isNull()) return;
  const qreal ratio = picture.devicePixelRatio();
  const QSizeF size = picture.deviceIndependentSize();
  const int slice = std::min({kSlice, target.width() / 2, target.height() / 2});
  const qreal xs[] = {0, qreal(slice), size.width() - slice, size.width()};
  const qreal ys[] = {0, qreal(slice), size.height() - slice, size.height()};
  const qreal xt[] = {qreal(target.left()), qreal(target.left() + slice), qreal(target.right() + 1 - slice),
                      qreal(target.right() + 1)};
  const qreal yt[] = {qreal(target.top()), qreal(target.top() + slice), qreal(target.bottom() + 1 - slice),
                      qreal(target.bottom() + 1)};
  painter.save();
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  for (int row = 0; row < 3; ++row)
    for (int column = 0; column < 3; ++column) {
      const QRectF from(xs[column] * ratio, ys[row] * ratio, (xs[column + 1] - xs[column]) * ratio,
                        (ys[row + 1] - ys[row]) * ratio);
      const QRectF to(xt[column], yt[row], xt[column + 1] - xt[column], yt[row + 1] - yt[row]);
      if (to.width() > 0 && to.height() > 0) painter.drawPixmap(to, picture, from);
    }
  painter.restore();
}

// Paints a skinned button in place of the style's drawing.
class ButtonPainter : public QObject {
 public:
  ButtonPainter(QPushButton* button, SkinColour colour) : QObject(button), button_(button), colour_(colour) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != button_ || event->type() != QEvent::Paint) return false;
    Paint();
    return true;
  }

 private:
  QString Look() const {
    if (!button_->isEnabled()) return QStringLiteral("cover");
    if (button_->isDown() || button_->isChecked()) return QStringLiteral("pressed");
    if (button_->underMouse()) return QStringLiteral("highlight");
    return QStringLiteral("normal");
  }

  // Bold like the main window's captions; a caption too long for the button loses the bold,
  // then size, so that it always shows whole.
  QFont CaptionFont() const {
    QFont font = button_->font();
    font.setBold(true);
    const int room = button_->width() - 8;
    const QString caption = QString(button_->text()).remove(QLatin1Char('&'));
    if (QFontMetrics(font).horizontalAdvance(caption) <= room) return font;
    font.setBold(false);
    while (QFontMetrics(font).horizontalAdvance(caption) > room && font.pointSizeF() > 6)
      font.setPointSizeF(font.pointSizeF() - 0.5);
    return font;
  }

  void Paint() {
    QPainter painter(button_);
    painter.setRenderHint(QPainter::Antialiasing);
    const QString look = Look();
    const QString alias = QStringLiteral("button_%1_%2").arg(SkinColourName(colour_), look);
    DrawNineSlice(painter, button_->rect(), app::WindowPicture(alias, button_));
    painter.setFont(CaptionFont());
    // The pressed button sits down by a pixel, as the main window's do.
    const QRect text =
        button_->rect()
            .adjusted(4, 0, -4, -2)
            .translated(look == QStringLiteral("pressed") ? 1 : 0, look == QStringLiteral("pressed") ? 1 : 0);
    const int flags = Qt::AlignCenter | Qt::TextShowMnemonic;
    if (look != QStringLiteral("cover")) {
      painter.setPen(kCaptionShadow);
      painter.drawText(text.translated(1, 1), flags, button_->text());
    }
    painter.setPen(look == QStringLiteral("cover") ? kCoverInk : kCaptionInk);
    painter.drawText(text, flags, button_->text());
    if (button_->hasFocus() && look != QStringLiteral("cover")) PaintFocusRing(painter);
  }

  // The keyboard's button: a dotted ring inside the edge, so that the button a window opens
  // with does not look as if the mouse were on it.
  void PaintFocusRing(QPainter& painter) const {
    QPen ring(kCaptionInk, 1, Qt::DotLine);
    painter.setPen(ring);
    painter.setBrush(Qt::NoBrush);
    const QRectF inside = QRectF(button_->rect()).adjusted(4.5, 4.5, -4.5, -5.5);
    painter.drawRoundedRect(inside, inside.height() / 2 - 1, inside.height() / 2 - 1);
  }

  QPushButton* button_;
  SkinColour colour_;
};

}  // namespace

QString SkinColourName(SkinColour colour) {
  switch (colour) {
    case SkinColour::Green:
      return QStringLiteral("green");
    case SkinColour::Orange:
      return QStringLiteral("orange");
    case SkinColour::Purple:
      return QStringLiteral("purple");
    case SkinColour::Blue:
      return QStringLiteral("blue");
    case SkinColour::Red:
      return QStringLiteral("red");
  }
  return QStringLiteral("blue");
}

void SkinWindow(QWidget* window) {
  QPalette palette = window->palette();
  palette.setColor(QPalette::Window, kSkinBody);
  window->setPalette(palette);
  window->setAutoFillBackground(true);
}

void SkinButton(QPushButton* button, SkinColour colour) {
  button->setAttribute(Qt::WA_Hover);
  button->setFlat(true);
  button->installEventFilter(new ButtonPainter(button, colour));
  button->update();
}

void DrawCard(QPainter& painter, const QWidget* widget, const QRect& rect, SkinColour colour, bool banded) {
  const QString alias =
      QStringLiteral("%1card_%2").arg(banded ? QStringLiteral("banded_") : QString(), SkinColourName(colour));
  const QPixmap picture = app::WindowPicture(alias, widget);
  if (!banded) return DrawNineSlice(painter, rect, picture);
  // The band is the picture's top; only its middle stretches across, never down.
  const QSizeF size = picture.deviceIndependentSize();
  const qreal ratio = picture.devicePixelRatio();
  const int band = kCardBandHeight;
  const QPixmap top = picture.copy(QRect(0, 0, qRound(size.width() * ratio), qRound(band * ratio)));
  const QPixmap body = picture.copy(QRect(0, qRound((band - kSlice) * ratio), qRound(size.width() * ratio),
                                          qRound((size.height() - band + kSlice) * ratio)));
  QPixmap topPart(top), bodyPart(body);
  topPart.setDevicePixelRatio(ratio);
  bodyPart.setDevicePixelRatio(ratio);
  DrawNineSlice(painter, QRect(rect.left(), rect.top(), rect.width(), band), topPart);
  DrawNineSlice(painter,
                QRect(rect.left(), rect.top() + band - kSlice, rect.width(), rect.height() - band + kSlice),
                bodyPart);
}

}  // namespace ui
