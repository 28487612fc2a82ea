#include "ui/FilledShape.h"

#include <QPainter>

namespace ui {

FilledShape::FilledShape(Kind kind, QColor fill, QWidget* parent)
    : QWidget(parent), kind_(kind), fill_(fill) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void FilledShape::setFillColor(const QColor& color) {
  if (color == fill_) return;
  fill_ = color;
  repaint();
}

void FilledShape::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(0x20, 0x20, 0x20), 1));
  painter.setBrush(fill_);
  const QRectF area = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
  if (kind_ == Kind::Ellipse)
    painter.drawEllipse(area);
  else
    painter.drawRect(area);
}

}  // namespace ui
