#pragma once
// The drag window: the picture of a palette tile that follows the mouse while a step is being
// dragged, stays inside the main window, and on a drop glides and shrinks from 53 to 27
// pixels into the cell where the step will appear.

#include <QPixmap>
#include <QWidget>
#include <functional>

namespace ui {

class TDragger : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kPictureSize = 54;
  static constexpr int kFirstGlideSize = 53;
  static constexpr int kLastGlideSize = 27;
  static constexpr int kGlideFrames = kFirstGlideSize - kLastGlideSize + 1;
  static constexpr int kEdge = 2;  // the window's edge the picture never covers

  // Made over `parent` (the main window); the picture never leaves the parent's rectangle.
  explicit TDragger(QWidget* parent = nullptr);

  // Back to the full-size picture, hidden.
  void SetupForm();

  // Shows `picture` for the step kind `kind` with its top left at `topLeft` (parent
  // coordinates); `grabOffset` is where the cursor holds the picture.
  void BeginDrag(const QPixmap& picture, int kind, QPoint topLeft, QPoint grabOffset);
  // The cursor moved to `globalCursor`: the picture follows, kept inside the parent.
  void FollowCursor(QPoint globalCursor);
  // Glides and shrinks into `destination` (parent coordinates) in 27 frames.
  void Glide(QPoint destination);
  // Ends the drag: the picture disappears.
  void Finish();

  int Kind() const { return kind_; }
  bool Dragging() const { return dragging_; }
  QPixmap Picture() const { return picture_; }
  // The sizes of the frames of the last glide, for whoever wants to check the animation.
  const std::vector<QRect>& GlideFrames() const { return frames_; }

  // Wait between glide frames; the window's own pace is 12 ms.
  int FrameDelayMs = 12;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QPixmap picture_;
  int kind_ = 0;
  bool dragging_ = false;
  QPoint grabOffset_;
  std::vector<QRect> frames_;
};

}  // namespace ui
