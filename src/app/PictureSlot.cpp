#include "app/PictureSlot.h"

#include <QBuffer>
#include <QImage>
#include <QMouseEvent>
#include <QMovie>
#include <QPainter>

#include "app/core/Resources.h"

namespace app {

PictureSlot::PictureSlot(int slot, QWidget* parent) : QWidget(parent), slot_(slot) {
  // Moves without a pressed button drive the highlights and help texts.
  setMouseTracking(true);
  setAttribute(Qt::WA_NoSystemBackground);
}

PictureSlot::~PictureSlot() {
  clearPicture();
}

void PictureSlot::setStretch(bool on) {
  stretch_ = on;
  update();
}

void PictureSlot::setTransparent(bool on) {
  transparent_ = on;
  update();
}

void PictureSlot::clearPicture() {
  if (movie_ != nullptr) {
    movie_->stop();
    delete movie_;
    movie_ = nullptr;
  }
  movieData_.reset();
  still_ = QPixmap();
  firstFrame_ = QPixmap();
}

void PictureSlot::setPictureData(const QByteArray& bytes, qreal ratio) {
  clearPicture();
  ratio_ = ratio > 0 ? ratio : 1;
  auto buffer = std::make_unique<QBuffer>();
  buffer->setData(bytes);
  buffer->open(QIODevice::ReadOnly);
  auto* movie = new QMovie(buffer.get(), QByteArray(), this);
  if (movie->isValid() && movie->frameCount() > 1 && movie->jumpToFrame(0)) {
    movieData_ = std::move(buffer);
    movie_ = movie;
    firstFrame_ = currentFrame();
    connect(movie_, &QMovie::frameChanged, this, qOverload<>(&QWidget::update));
  } else {
    delete movie;
    still_ = QPixmap::fromImage(QImage::fromData(bytes));
    still_.setDevicePixelRatio(ratio_);
    firstFrame_ = still_;
  }
  update();
}

bool PictureSlot::hasPicture() const {
  return !firstFrame_.isNull();
}

void PictureSlot::startAnimation(int speedPercent) {
  if (movie_ == nullptr) return;
  movie_->setSpeed(speedPercent);
  if (movie_->state() != QMovie::Running) movie_->start();
}

void PictureSlot::stopAnimation() {
  if (movie_ != nullptr && movie_->state() == QMovie::Running) movie_->setPaused(true);
}

bool PictureSlot::isAnimating() const {
  return movie_ != nullptr && movie_->state() == QMovie::Running;
}

QPixmap PictureSlot::currentFrame() const {
  if (movie_ == nullptr) return still_;
  QPixmap frame = movie_->currentPixmap();
  frame.setDevicePixelRatio(ratio_);
  return frame;
}

void PictureSlot::paintEvent(QPaintEvent*) {
  const QPixmap frame = currentFrame();
  if (frame.isNull()) return;
  QPainter painter(this);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, stretch_);
  if (stretch_)
    painter.drawPixmap(rect(), frame);
  else
    painter.drawPixmap(0, 0, frame);
}

void PictureSlot::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) leftDown_ = true;
  emit mousePressed(this, event);
}

void PictureSlot::mouseMoveEvent(QMouseEvent* event) {
  emit mouseMoved(this, event);
}

void PictureSlot::mouseReleaseEvent(QMouseEvent* event) {
  const bool click =
      event->button() == Qt::LeftButton && leftDown_ && rect().contains(event->position().toPoint());
  if (event->button() == Qt::LeftButton) leftDown_ = false;
  emit mouseReleased(this, event);
  if (click) emit clicked(this);
}

void PictureSlot::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    leftDown_ = true;
    emit doubleClicked(this);
  }
}

QPixmap WindowPicture(const QString& alias, const QWidget* widget) {
  const int scale = widget != nullptr && widget->devicePixelRatioF() > 1 ? 2 : 1;
  QPixmap picture(QStringLiteral(":/PIC/") + ScaledAlias(alias, scale));
  if (picture.isNull() && scale > 1) return WindowPicture(alias, nullptr);
  picture.setDevicePixelRatio(scale);
  return picture;
}

}  // namespace app
