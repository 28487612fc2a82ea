#include "ui/DraggerUnit.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace ui {

TDragger::TDragger(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("Dragger"));
  setWindowTitle(QStringLiteral("Dragger"));
  setAttribute(Qt::WA_TransparentForMouseEvents);  // the grids under it keep the mouse
  setAttribute(Qt::WA_TranslucentBackground);
  SetupForm();
}

void TDragger::SetupForm() {
  resize(kPictureSize, kPictureSize);
  hide();
}

void TDragger::BeginDrag(const QPixmap& picture, int kind, QPoint topLeft, QPoint grabOffset) {
  picture_ = picture;
  kind_ = kind;
  grabOffset_ = grabOffset;
  dragging_ = true;
  frames_.clear();
  setGeometry(QRect(topLeft, QSize(kPictureSize, kPictureSize)));
  raise();
  show();
}

void TDragger::FollowCursor(QPoint globalCursor) {
  if (!dragging_) return;
  QWidget* area = parentWidget();
  QPoint topLeft = (area != nullptr ? area->mapFromGlobal(globalCursor) : globalCursor) - grabOffset_;
  if (area != nullptr) {
    // The picture stops at the main window's edges.
    topLeft.setX(std::clamp(topLeft.x(), kEdge + 1, std::max(kEdge + 1, area->width() - kPictureSize - kEdge)));
    topLeft.setY(std::clamp(topLeft.y(), kEdge + 1, std::max(kEdge + 1, area->height() - kPictureSize - kEdge)));
  }
  move(topLeft);
  if (!isVisible()) show();
  raise();
}

void TDragger::Glide(QPoint destination) {
  frames_.clear();
  const QPoint start = pos();
  const double sx = (destination.x() - start.x()) / 26.0;
  const double sy = (destination.y() - start.y()) / 26.0;
  for (int s = kFirstGlideSize; s >= kLastGlideSize; --s) {
    const int left = static_cast<int>(std::lround((27 - s) * sx + destination.x()));
    const int top = static_cast<int>(std::lround((27 - s) * sy + destination.y()));
    const QRect frame(left, top, s, s);
    frames_.push_back(frame);
    setGeometry(frame.adjusted(0, 0, 1, 1));
    repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    QElapsedTimer wait;
    wait.start();
    while (wait.elapsed() < FrameDelayMs) {
    }
  }
}

void TDragger::Finish() {
  dragging_ = false;
  move(-width(), y());
  SetupForm();
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TDragger::paintEvent(QPaintEvent*) {
  if (picture_.isNull()) return;
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  QPainterPath outline;
  const double corner = (width() / 2) / 2.0;
  outline.addRoundedRect(QRectF(rect()), corner, corner);
  painter.setClipPath(outline);
  painter.drawPixmap(rect(), picture_);
}

}  // namespace ui
