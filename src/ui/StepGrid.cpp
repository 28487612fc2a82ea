#include "ui/StepGrid.h"

#include <QDragEnterEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>

#include "actions/StepSlots.h"
#include "ui/StepGridAccessible.h"

namespace ui {

namespace {
const QColor kFixedColor(0x80, 0x80, 0x80);
const QColor kFixedPen(0xC0, 0xC0, 0xC0);
const QColor kLineColor(0xC0, 0xC0, 0xC0);
const QColor kDropColor(0x00, 0x00, 0xC0);
const QColor kMarkFill(0xFF, 0xD0, 0x00, 110);
constexpr int kDropLineWidth = 3;
constexpr int kHeaderPadding = 12;
}  // namespace

StepGrid::StepGrid(int list, QWidget* parent) : QAbstractScrollArea(parent), list_(list) {
  StepGridAccessible::Install();
  setFrameShape(QFrame::NoFrame);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setMouseTracking(true);
  viewport()->setAutoFillBackground(true);
  QPalette palette = viewport()->palette();
  palette.setColor(QPalette::Base, Qt::white);
  palette.setColor(QPalette::Window, Qt::white);
  viewport()->setPalette(palette);
  QFont font(QStringLiteral("Arial"));
  font.setPointSize(8);
  setFont(font);
  verticalScrollBar()->setSingleStep(1);
  verticalScrollBar()->setTracking(true);  // thumb tracking
  selTop_ = selBottom_ = anchor_ = 1;
  UpdateScrollRange();
}

void StepGrid::MakeColumns(const QStringList& headers) {
  headers_ = headers;
  widths_.clear();
  const QFontMetrics metrics(font());
  int sum = 0;
  for (const QString& text : headers) {
    widths_.push_back(metrics.horizontalAdvance(text) + kHeaderPadding);
    sum += widths_.back();
  }
  const int thumb = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
  const int avail = width() - (ColCount() - 3) - thumb - 1;
  if (ColCount() > 1 && avail > sum) widths_[1] += avail - sum;
  viewport()->update();
}

void StepGrid::SetStepCount(int steps) {
  stepCount_ = std::clamp(steps, 0, actions::kMaxSteps);
  rowCount_ = actions::GridRowCount(stepCount_);
  selBottom_ = std::min(selBottom_, LastRow());
  selTop_ = std::min(selTop_, selBottom_);
  anchor_ = std::min(anchor_, LastRow());
  UpdateScrollRange();
  SetTopRow(topRow_);
  viewport()->update();
}

int StepGrid::VisibleRowCount() const {
  return std::max(1, (viewport()->height() - kRowPitch) / kRowPitch);
}

void StepGrid::UpdateScrollRange() {
  QScrollBar* bar = verticalScrollBar();
  const int maxTop = std::max(1, rowCount_ - VisibleRowCount());
  const QSignalBlocker block(bar);
  bar->setRange(1, maxTop);
  bar->setPageStep(VisibleRowCount());
  bar->setValue(topRow_);
}

void StepGrid::SetTopRow(int row) {
  const int maxTop = std::max(1, rowCount_ - VisibleRowCount());
  row = std::clamp(row, 1, maxTop);
  const bool changed = row != topRow_;
  topRow_ = row;
  {
    const QSignalBlocker block(verticalScrollBar());
    verticalScrollBar()->setValue(row);
  }
  if (changed) {
    viewport()->update();
    PlaceDropLine();
    emit topRowChanged(topRow_);
  }
}

void StepGrid::scrollContentsBy(int, int) {
  SetTopRow(verticalScrollBar()->value());
}

void StepGrid::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollRange();
  SetTopRow(topRow_);
}

int StepGrid::ColumnLeft(int column) const {
  int x = 0;
  for (int c = 0; c < column && c < ColCount(); ++c) x += widths_[c] + kLineWidth;
  return x;
}

int StepGrid::ColumnAt(int x) const {
  if (x < 0) return -1;
  int left = 0;
  for (int c = 0; c < ColCount(); ++c) {
    const int right = left + widths_[c] + kLineWidth;
    if (x < right) return c;
    left = right;
  }
  return -1;
}

int StepGrid::RowAt(int y) const {
  if (y < 0) return -1;
  if (y < kRowPitch) return 0;
  const int row = topRow_ + (y - kRowPitch) / kRowPitch;
  return row <= LastRow() ? row : -1;
}

QRect StepGrid::CellRect(int column, int row) const {
  const int left = ColumnLeft(column);
  const int width = column < ColCount() ? widths_[column] : 0;
  const int top = row == 0 ? 0 : kRowPitch * (row - topRow_ + 1);
  return QRect(left, top, width, kDefaultRowHeight);
}

void StepGrid::SelectRows(int anchor, int current) {
  anchor = std::clamp(anchor, 1, LastRow());
  current = std::clamp(current, 1, LastRow());
  anchor_ = anchor;
  selTop_ = std::min(anchor, current);
  selBottom_ = std::max(anchor, current);
  viewport()->update();
}

void StepGrid::ScrollIntoView(int row) {
  if (row < topRow_)
    SetTopRow(row);
  else if (row >= topRow_ + VisibleRowCount())
    SetTopRow(row - VisibleRowCount() + 1);
}

void StepGrid::paintEvent(QPaintEvent*) {
  QPainter painter(viewport());
  painter.setFont(font());
  const QFontMetrics metrics(font());
  const int lastVisible = std::min(LastRow(), topRow_ + VisibleRowCount());
  auto centred = [&](const QRect& cell, const QString& text) {
    const int x = cell.left() + cell.width() / 2 - metrics.horizontalAdvance(text) / 2;
    const int y = cell.top() + cell.height() / 2 - metrics.height() / 2;
    painter.drawText(QRect(x, y, metrics.horizontalAdvance(text) + 1, metrics.height()), Qt::AlignLeft, text);
  };
  auto drawRow = [&](int row) {
    for (int c = 0; c < ColCount(); ++c) {
      const QRect cell = CellRect(c, row);
      const QRect withLines = cell.adjusted(0, 0, kLineWidth, kLineWidth);
      if (row == 0 || c == 0) {
        painter.setPen(kLineColor);
        painter.setBrush(kFixedColor);
        painter.drawRect(withLines.adjusted(0, 0, -1, -1));
        painter.setPen(kFixedPen);
        painter.drawRect(cell.adjusted(0, 0, -1, -1));
        painter.setPen(Qt::black);
        if (row == 0)
          centred(cell, HeaderText(c));
        else
          centred(cell, QString::number(row));
        continue;
      }
      painter.setPen(kLineColor);
      painter.setBrush(Qt::white);
      painter.drawRect(withLines.adjusted(0, 0, -1, -1));
      if (c >= 2 && c <= 4 && row <= stepCount_ && CellText) {
        painter.setPen(Qt::black);
        centred(cell, CellText(c, row));
      }
    }
  };
  drawRow(0);
  for (int row = topRow_; row <= lastVisible; ++row) drawRow(row);
  PaintMarks(painter);

  // The red outline of every selected row, over the columns after the number.
  if (hasFocus() || selTop_ <= selBottom_) {
    painter.setPen(Qt::red);
    painter.setBrush(Qt::NoBrush);
    for (int row = std::max(selTop_, topRow_); row <= std::min(selBottom_, lastVisible); ++row) {
      if (row < 1 || ColCount() < 2) continue;
      const QRect first = CellRect(1, row);
      const QRect last = CellRect(ColCount() - 1, row);
      const int left = first.left(), right = last.right() + 1, top = first.top(), bottom = first.bottom() + 1;
      painter.drawLine(left, top, right - 1, top);
      painter.drawLine(right - 1, top, right - 1, bottom - 1);
      painter.drawLine(right - 1, bottom - 1, left, bottom - 1);
      painter.drawLine(left, bottom - 1, left, top);
    }
  }
}

void StepGrid::mousePressEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  emit mouseDown(this, event->button(), event->modifiers(), pos);
  if (event->button() != Qt::LeftButton) return;
  setFocus(Qt::MouseFocusReason);
  const int row = RowAt(pos.y());
  const int column = ColumnAt(pos.x());
  pressPos_ = pos;
  moved_ = false;
  movingFrom_ = 0;
  if (row < 1 || column < 0) return;
  if (event->modifiers() & Qt::ShiftModifier) {
    SelectRows(selTop_ >= 1 ? selTop_ : row, row);
  } else {
    SelectRows(row, row);
    if (column == 0)
      movingFrom_ = row;  // a step dragged by its number moves
    else
      selecting_ = true;
  }
}

void StepGrid::mouseMoveEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  emit mouseMoved(this, pos);
  if (!(event->buttons() & Qt::LeftButton)) return;
  if ((pos - pressPos_).manhattanLength() > 3) moved_ = true;
  const int row = RowAt(pos.y());
  if (movingFrom_ > 0) {
    setCursor(Qt::SizeVerCursor);
    const int to = MoveTarget(pos.y());
    if (moved_ && to != movingFrom_)
      ShowDropLine(to, to > movingFrom_);
    else
      HideDropLine();
    return;
  }
  if (selecting_ && row >= 1) {
    SelectRows(anchor_, row);
    ScrollIntoView(row);
  }
}

void StepGrid::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  selecting_ = false;
  if (movingFrom_ > 0) {
    unsetCursor();
    HideDropLine();
    const int from = movingFrom_;
    movingFrom_ = 0;
    int to = RowAt(pos.y());
    if (to < 0) to = LastRow();
    to = std::max(to, 1);
    if (moved_ && to != from) {
      emit rowMoved(this, from, to);
      SelectRows(std::min(to, LastRow()), std::min(to, LastRow()));
    }
  }
  if (event->button() == Qt::LeftButton && rect().contains(pos)) emit clicked(this);
  viewport()->update();
}

void StepGrid::wheelEvent(QWheelEvent* event) {
  const int notches = event->angleDelta().y() / 120;
  if (notches != 0) SetTopRow(topRow_ - notches);
  event->accept();
}

void StepGrid::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  const bool shift = event->modifiers() & Qt::ShiftModifier;
  if ((key == Qt::Key_Up || key == Qt::Key_Down) &&
      !(event->modifiers() & (Qt::AltModifier | Qt::ControlModifier))) {
    const int current = key == Qt::Key_Up ? (anchor_ == selTop_ ? selBottom_ : selTop_) - 1
                                          : (anchor_ == selTop_ ? selBottom_ : selTop_) + 1;
    const int row = std::clamp(current, 1, LastRow());
    SelectRows(shift ? anchor_ : row, row);
    ScrollIntoView(row);
    emit clicked(this);
    return;
  }
  emit keyDown(this, key, event->modifiers());
  event->accept();
}

void StepGrid::dragEnterEvent(QDragEnterEvent* event) {
  if (!event->mimeData()->hasFormat(QString::fromLatin1(kSensorSetMime))) {
    event->ignore();
    return;
  }
  bool accept = false;
  emit dragOver(this, event->position().toPoint(), &accept);
  if (accept)
    event->acceptProposedAction();
  else
    event->accept();  // keep receiving moves; each one decides
}

void StepGrid::dragMoveEvent(QDragMoveEvent* event) {
  bool accept = false;
  if (!event->mimeData()->hasFormat(QString::fromLatin1(kSensorSetMime))) {
    event->ignore();
    return;
  }
  const QPoint pos = event->position().toPoint();
  emit dragOver(this, pos, &accept);
  if (accept) {
    event->acceptProposedAction();
    MarkCell(ColumnAt(pos.x()), RowAt(pos.y()));
  } else {
    event->ignore();
    UnmarkCell();
  }
}

void StepGrid::dragLeaveEvent(QDragLeaveEvent* event) {
  UnmarkCell();
  QAbstractScrollArea::dragLeaveEvent(event);
}

void StepGrid::dropEvent(QDropEvent* event) {
  bool accept = false;
  if (!event->mimeData()->hasFormat(QString::fromLatin1(kSensorSetMime))) {
    event->ignore();
    return;
  }
  const QPoint pos = event->position().toPoint();
  emit dragOver(this, pos, &accept);
  UnmarkCell();
  if (!accept) {
    event->ignore();
    return;
  }
  event->acceptProposedAction();
  emit dropped(this, pos, event->mimeData());
}

// --- where a drag would land ---

int StepGrid::MoveTarget(int y) const {
  int to = RowAt(y);
  if (to < 0) to = LastRow();
  // A moved step stays among the steps: the empty row means the last step.
  return std::clamp(to, 1, std::max(stepCount_, 1));
}

void StepGrid::ShowDropLine(int row, bool below) {
  if (row == dropLineRow_ && below == dropLineBelow_) return;
  dropLineRow_ = std::clamp(row, 0, LastRow());
  dropLineBelow_ = below;
  PlaceDropLine();
}

void StepGrid::HideDropLine() {
  if (dropLineRow_ == 0) return;
  dropLineRow_ = 0;
  PlaceDropLine();
}

int StepGrid::DropLineY() const {
  if (dropLineRow_ < 1 || dropLineRow_ < topRow_ || dropLineRow_ > topRow_ + VisibleRowCount()) return -1;
  const QRect cell = CellRect(0, dropLineRow_);
  return dropLineBelow_ ? cell.bottom() + 1 : cell.top();
}

void StepGrid::MarkCell(int column, int row) {
  const QPoint cell(column, row);
  if (flash_ != nullptr) flash_->stop();
  if (cell == marked_) return;
  marked_ = cell;
  viewport()->update();
}

void StepGrid::FlashCell(int column, int row) {
  MarkCell(column, row);
  if (flash_ == nullptr) {
    flash_ = new QTimer(this);
    flash_->setSingleShot(true);
    connect(flash_, &QTimer::timeout, this, &StepGrid::UnmarkCell);
  }
  flash_->start(kFlashMs);
}

void StepGrid::UnmarkCell() {
  if (flash_ != nullptr) flash_->stop();
  if (marked_ == QPoint(-1, -1)) return;
  marked_ = QPoint(-1, -1);
  viewport()->update();
}

void StepGrid::PaintMarks(QPainter& painter) {
  const int lastVisible = std::min(LastRow(), topRow_ + VisibleRowCount());
  const int row = marked_.y();
  if (marked_.x() >= 1 && marked_.x() < ColCount() && row >= topRow_ && row <= lastVisible) {
    const QRect cell = CellRect(marked_.x(), row);
    painter.fillRect(cell, kMarkFill);
    painter.setPen(QPen(kDropColor, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(cell.adjusted(1, 1, -1, -1));
  }
}

void StepGrid::PlaceDropLine() {
  const int y = DropLineY();
  if (y < 0) {
    if (dropLineBar_ != nullptr) dropLineBar_->hide();
    return;
  }
  if (dropLineBar_ == nullptr) {
    // A bar of its own, so that it lies over the step slots as well as over the cells.
    dropLineBar_ = new QWidget(viewport());
    dropLineBar_->setAttribute(Qt::WA_TransparentForMouseEvents);
    dropLineBar_->setAutoFillBackground(true);
    dropLineBar_->setBackgroundRole(QPalette::Window);
    QPalette palette = dropLineBar_->palette();
    palette.setColor(QPalette::Window, kDropColor);
    dropLineBar_->setPalette(palette);
  }
  const int right = ColumnLeft(ColCount());
  dropLineBar_->setGeometry(0, y - kDropLineWidth / 2, right, kDropLineWidth);
  dropLineBar_->show();
  dropLineBar_->raise();
}

}  // namespace ui
