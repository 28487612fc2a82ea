#pragma once
#include <QByteArray>
#include <QPixmap>
#include <QWidget>
#include <memory>

class QBuffer;
class QMovie;

namespace app {

// One picture slot of the main window: a still picture or an animated one, placed by its
// layout record, with a tag that tells the window what the slot is. Being a widget, a
// visible slot takes the mouse over its whole rectangle (so a button's disabled cover
// swallows clicks), and a hidden one lets it through.
class PictureSlot : public QWidget {
  Q_OBJECT
 public:
  PictureSlot(int slot, QWidget* parent);
  ~PictureSlot() override;

  int slot() const { return slot_; }
  int tag() const { return tag_; }
  void setTag(int tag) { tag_ = tag; }
  bool stretch() const { return stretch_; }
  void setStretch(bool on);
  bool transparent() const { return transparent_; }
  void setTransparent(bool on);

  // Shows the picture in `bytes`, drawn at `ratio` times the slot's size in pixels (2 for the
  // pictures of high-density screens; the slot's geometry stays in logical pixels). Data that
  // holds several frames plays as an animation; anything else that decodes is a still. Data
  // that does not decode leaves the slot empty.
  void setPictureData(const QByteArray& bytes, qreal ratio = 1);
  qreal pictureRatio() const { return ratio_; }
  bool hasPicture() const;
  bool isAnimated() const { return movie_ != nullptr; }

  // The animation: stopped slots show their current frame.
  void startAnimation(int speedPercent = 100);
  void stopAnimation();
  bool isAnimating() const;
  // The first frame (a still's only frame), as the step slots and the drag window show it.
  QPixmap firstFrame() const { return firstFrame_; }

 signals:
  void mousePressed(app::PictureSlot* slot, QMouseEvent* event);
  void mouseMoved(app::PictureSlot* slot, QMouseEvent* event);
  void mouseReleased(app::PictureSlot* slot, QMouseEvent* event);
  // A press and release of the left button over the slot.
  void clicked(app::PictureSlot* slot);
  void doubleClicked(app::PictureSlot* slot);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  void clearPicture();
  QPixmap currentFrame() const;

  int slot_;
  int tag_ = 0;
  qreal ratio_ = 1;
  bool stretch_ = false;
  bool transparent_ = false;
  bool leftDown_ = false;
  QPixmap still_;
  QPixmap firstFrame_;
  std::unique_ptr<QBuffer> movieData_;
  QMovie* movie_ = nullptr;
};

// A picture of the other windows (":/PIC/<alias>"), at twice the size with its device pixel
// ratio set when `widget`'s screen is of high density. Null when the build has no such picture.
QPixmap WindowPicture(const QString& alias, const QWidget* widget);

}  // namespace app
