#pragma once
// One step grid: an owner-drawn grid of 27-pixel rows with a grey header row and a grey
// step-number column. It draws only text and the red outline of the selected rows; the
// picture and value of each visible step are step slots laid over the rows. Rows are selected
// whole; a step can be dragged by its number to another place.

#include <QAbstractScrollArea>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <vector>

#include "ui/StepListModel.h"

class QMimeData;
class QPainter;

namespace ui {

class StepGrid : public QAbstractScrollArea {
  Q_OBJECT
 public:
  static constexpr int kDefaultRowHeight = 27;
  static constexpr int kLineWidth = 1;
  static constexpr int kRowPitch = kDefaultRowHeight + kLineWidth;

  // `list` is the grid's list number, which is also its tag.
  StepGrid(int list, QWidget* parent);

  int tag() const { return list_; }

  // Columns: the header texts give the widths (text width + 12); the spare width of the
  // client area goes to the action column.
  void MakeColumns(const QStringList& headers);
  int ColCount() const { return static_cast<int>(widths_.size()); }
  int ColWidth(int column) const { return widths_.at(column); }
  QString HeaderText(int column) const { return headers_.value(column); }

  // Header row + steps + the empty row where new steps are appended (none in a full list).
  int RowCount() const { return rowCount_; }
  int StepCount() const { return stepCount_; }
  void SetStepCount(int steps);

  // The first visible row below the header (at least 1).
  int TopRow() const { return topRow_; }
  void SetTopRow(int row);
  // Rows that fit wholly below the header.
  int VisibleRowCount() const;

  // The cell under a point of the grid: column and row, -1 where there is none.
  int ColumnAt(int x) const;
  int RowAt(int y) const;
  QRect CellRect(int column, int row) const;

  // The selected rows; 0..0 when nothing is selected (no step row).
  int SelectionTop() const { return selTop_; }
  int SelectionBottom() const { return selBottom_; }
  void SelectRows(int anchor, int current);

  // The line that shows where a dragged step would land: on the top edge of `row`, or on its
  // bottom edge when `below`. Shown only while the row is on screen.
  void ShowDropLine(int row, bool below);
  void HideDropLine();
  // The line's y in the viewport, -1 when there is none on screen. The line is a bar laid
  // over the rows and their slots.
  int DropLineY() const;

  // A set cell marked as the place of a drop: while the "+" tile hovers over it, and for a
  // moment after the drop so that a drop that changes no text is seen too.
  void MarkCell(int column, int row);
  void FlashCell(int column, int row);
  void UnmarkCell();
  QPoint MarkedCell() const { return marked_; }  // (column, row); (-1, -1) when none
  static constexpr int kFlashMs = 700;

  // Text of the set columns (2..4) of a step row; supplied by the owner.
  std::function<QString(int column, int row)> CellText;
  // What a screen reader says of a row (1..RowCount()-1), and what it adds when asked.
  std::function<QString(int row)> RowText;
  std::function<QString(int row)> RowDescription;

 signals:
  void topRowChanged(int topRow);
  void mouseDown(StepGrid* grid, Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);
  void clicked(StepGrid* grid);
  void mouseMoved(StepGrid* grid, QPoint pos);
  void rowMoved(StepGrid* grid, int from, int to);
  void keyDown(StepGrid* grid, int key, Qt::KeyboardModifiers modifiers);
  // A Qt drag and drop: asks whether the thing under `pos` may be dropped, and drops it.
  void dragOver(StepGrid* grid, QPoint pos, bool* accept);
  void dropped(StepGrid* grid, QPoint pos, const QMimeData* data);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void dragLeaveEvent(QDragLeaveEvent* event) override;

 private:
  void UpdateScrollRange();
  void ScrollIntoView(int row);
  int ColumnLeft(int column) const;
  int LastRow() const { return rowCount_ - 1; }
  void PaintMarks(QPainter& painter);
  void PlaceDropLine();
  // The row a step dragged by its number from `from` would take when released at `y`.
  int MoveTarget(int y) const;

  int list_;
  QStringList headers_;
  std::vector<int> widths_;
  int stepCount_ = 0;
  int rowCount_ = 2;
  int topRow_ = 1;
  int selTop_ = 0;
  int selBottom_ = 0;
  int anchor_ = 0;
  bool selecting_ = false;
  int movingFrom_ = 0;  // step row dragged by its number, 0 when none
  bool moved_ = false;
  QPoint pressPos_;
  int dropLineRow_ = 0;  // 0 when no line is shown
  bool dropLineBelow_ = false;
  QPoint marked_{-1, -1};
  QTimer* flash_ = nullptr;
  QWidget* dropLineBar_ = nullptr;
};

}  // namespace ui
