#include "ui/BotActionIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <cmath>
#include <numbers>

namespace ui {

namespace {
constexpr double kArcStartDegrees = 35.0;  // the arc over the robot spans 35° to 145°
constexpr double kArcEndDegrees = 145.0;

// The tile's own border colour, so that the arrow looks part of the picture.
QColor InkOf(const QPixmap& frame) {
  if (frame.isNull()) return QColor(0x60, 0x30, 0x80);
  return frame.toImage().pixelColor(frame.width() / 2, 1).darker(115);
}

// An arc over the robot with a solid head at the end it turns towards: the left end for a
// rotation to the left (counter-clockwise), the right end for one to the right.
void DrawRotationArrow(QPainter& painter, int size, const QColor& ink, bool left) {
  const QPointF centre(size / 2.0, size / 2.0 + 1.0);
  const double radius = size * 0.38;
  const QRectF box(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
  QPainterPath arc;
  arc.arcMoveTo(box, kArcStartDegrees);
  arc.arcTo(box, kArcStartDegrees, kArcEndDegrees - kArcStartDegrees);
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(Qt::white, size * 0.18, Qt::SolidLine, Qt::RoundCap));
  painter.drawPath(arc);
  painter.setPen(QPen(ink, size * 0.1, Qt::SolidLine, Qt::RoundCap));
  painter.drawPath(arc);

  const double angle = (left ? kArcEndDegrees : kArcStartDegrees) * std::numbers::pi / 180.0;
  const QPointF end(centre.x() + radius * std::cos(angle), centre.y() - radius * std::sin(angle));
  // The way the arc runs at its end, in screen coordinates (y grows downwards).
  const QPointF way =
      left ? QPointF(-std::sin(angle), -std::cos(angle)) : QPointF(std::sin(angle), std::cos(angle));
  const QPointF across(-way.y(), way.x());
  const double head = size * 0.2;
  const QPolygonF arrowHead{end + way * head, end - way * head * 0.4 + across * head,
                            end - way * head * 0.4 - across * head};
  painter.setPen(QPen(Qt::white, 1.0));
  painter.setBrush(ink);
  painter.drawPolygon(arrowHead);
}
}  // namespace

QPixmap StepIcon(const QPixmap& frame, actions::ActionKind kind, int size, qreal pixelRatio) {
  QPixmap icon(QSize(size, size) * pixelRatio);
  icon.setDevicePixelRatio(pixelRatio);
  icon.fill(Qt::transparent);
  QPainter painter(&icon);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  if (!frame.isNull()) painter.drawPixmap(QRectF(0, 0, size, size), frame, QRectF(frame.rect()));
  if (kind == actions::ActionKind::RotateLeft || kind == actions::ActionKind::RotateRight)
    DrawRotationArrow(painter, size, InkOf(frame), kind == actions::ActionKind::RotateLeft);
  return icon;
}

}  // namespace ui
