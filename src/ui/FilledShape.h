#pragma once
// A filled shape of the window's drawing (the transmit marker, the infrared detectors): a
// circle or ellipse, or a rectangle, in one fill colour with a thin dark outline.

#include <QColor>
#include <QWidget>

namespace ui {

class FilledShape : public QWidget {
  Q_OBJECT
 public:
  enum class Kind { Ellipse, Rectangle };

  explicit FilledShape(Kind kind, QColor fill, QWidget* parent = nullptr);

  QColor fillColor() const { return fill_; }
  // Changes the colour and repaints at once when it differs, so that a caller that blocks the
  // window thread (the packet loop) still shows the change.
  void setFillColor(const QColor& color);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Kind kind_;
  QColor fill_;
};

}  // namespace ui
