// The drags onto the step grids: a palette tile carried by the drag window, and the "+" tile's
// standard drag that gives a main-list cell the set of the shown tab. Both show where they
// would land while they move.

#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "actions/ActionKind.h"
#include "app/PictureSlot.h"
#include "app/core/Texts.h"
#include "ui/DraggerUnit.h"
#include "ui/MainWindow.h"
#include "ui/StepArea.h"
#include "ui/StepGrid.h"

namespace ui {

namespace {
using actions::ActionKind;
using actions::kMainList;

constexpr int kDragThreshold = 4;   // pixels the cursor moves before a press becomes a drag
constexpr int kFirstSetText = 406;  // "Todos", then "Set1" to "Set4"

bool StrictlyInside(const QRect& area, QPoint p) {
  return p.x() > area.left() && p.x() < area.right() + 1 && p.y() > area.top() && p.y() < area.bottom() + 1;
}

QRect GlobalRect(const QWidget* widget) {
  return QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size());
}

// The row a tile dropped at `local` (grid viewport coordinates) lands on: the header row means
// the first step, below the rows the empty row.
int LandingRow(const StepGrid* grid, QPoint local) {
  const int row = grid->RowAt(local.y());
  if (row == 0) return 1;
  return row < 0 ? grid->RowCount() - 1 : row;
}
}  // namespace

// --- the palette drag ---

void StepArea::ActionMouseDown(app::PictureSlot* tile, QPoint globalCursor) {
  pressedTile_ = tile;
  pressStart_ = globalCursor;
}

bool StepArea::Dragging() const {
  return dragger_->Dragging();
}

void StepArea::ActionMouseMove(app::PictureSlot* tile, QPoint globalCursor, bool leftHeld) {
  if (!leftHeld || pressedTile_ != tile) return;
  if (!dragger_->Dragging()) {
    const QPoint moved = globalCursor - pressStart_;
    if (std::abs(moved.x()) <= kDragThreshold && std::abs(moved.y()) <= kDragThreshold) return;
    tile->stopAnimation();
    const QPoint tileTopLeft = form_->mapFromGlobal(tile->mapToGlobal(QPoint(0, 0)));
    dragger_->BeginDrag(tile->firstFrame(), tile->tag(), tileTopLeft,
                        pressStart_ - tile->mapToGlobal(QPoint(0, 0)));
    QApplication::setOverrideCursor(Qt::DragMoveCursor);
  }
  tile->stopAnimation();  // the hover animation does not run under the drag
  dragger_->FollowCursor(globalCursor);
  const int target = DropTarget(dragger_->Kind(), globalCursor);
  const bool accepted = target != 0 && !ListFull(target);
  QApplication::changeOverrideCursor(accepted ? Qt::DragMoveCursor : Qt::ForbiddenCursor);
  ShowLandingLine(accepted ? target : 0, globalCursor);
}

void StepArea::ShowLandingLine(int target, QPoint globalCursor) {
  for (int list = 1; list <= actions::kListCount; ++list) {
    StepGrid* grid = Grid(list);
    if (list != target) {
      grid->HideDropLine();
      continue;
    }
    grid->ShowDropLine(LandingRow(grid, grid->viewport()->mapFromGlobal(globalCursor)), false);
  }
}

void StepArea::ActionMouseUp(app::PictureSlot* tile, QPoint globalCursor) {
  const bool dragging = dragger_->Dragging() && pressedTile_ == tile;
  pressedTile_ = nullptr;
  if (!dragging) return;
  while (QApplication::overrideCursor() != nullptr) QApplication::restoreOverrideCursor();
  ShowLandingLine(0, globalCursor);
  DropRoutine(globalCursor);
  tile->update();
}

int StepArea::DropTarget(int kind, QPoint globalCursor) const {
  if (StrictlyInside(GlobalRect(Grid(kMainList)), globalCursor)) return kMainList;
  if (kind != static_cast<int>(ActionKind::GoToStep) && lists_.AdvancedMode &&
      form_->SensorTabbedNotebook != nullptr && form_->SensorTabbedNotebook->isVisible() &&
      StrictlyInside(GlobalRect(form_->SensorTabbedNotebook), globalCursor))
    return ShownSetList();
  return 0;
}

void StepArea::DropRoutine(QPoint globalCursor) {
  const int target = DropTarget(dragger_->Kind(), globalCursor);
  // A full list takes nothing: the picture does not glide into a row that is not there.
  if (target != 0 && !ListFull(target)) {
    StepGrid* grid = Grid(target);
    const int row = LandingRow(grid, grid->viewport()->mapFromGlobal(globalCursor));
    QPoint destination(grid->ColWidth(0) + 1, (row - grid->TopRow() + 1) * StepGrid::kRowPitch);
    destination = form_->mapFromGlobal(grid->viewport()->mapToGlobal(destination));
    destination.ry() += 1;
    dragger_->Glide(destination);
  }
  const int kind = dragger_->Kind();
  dragger_->Finish();
  if (target != 0) {
    StepGrid* grid = Grid(target);
    ToDoListDragDrop(grid, kind, grid->viewport()->mapFromGlobal(globalCursor));
  }
}

// --- the "+" tile: a standard drag onto the set columns of the main grid ---

bool StepArea::eventFilter(QObject* watched, QEvent* event) {
  if (watched != plusTile_) return QObject::eventFilter(watched, event);
  // The tile's presses and held moves stop here: passed on they would reach the window's
  // background, which moves the window with the mouse.
  switch (event->type()) {
    case QEvent::MouseButtonPress: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      plusPressed_ = mouse->button() == Qt::LeftButton;
      plusPressStart_ = mouse->globalPosition().toPoint();
      return true;
    }
    case QEvent::MouseMove: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->buttons() == Qt::NoButton) return false;  // hover: the window shows the tile's help
      const QPoint moved = mouse->globalPosition().toPoint() - plusPressStart_;
      if (plusPressed_ && moved.manhattanLength() >= QApplication::startDragDistance()) {
        plusPressed_ = false;
        StartPlusDrag();
      }
      return true;
    }
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
      plusPressed_ = false;
      return true;
    default:
      return false;
  }
}

QString StepArea::PlusDragText() const {
  return QStringLiteral("+ ") + app::LoadText(kFirstSetText + ShownSetList() - 2);
}

QPixmap StepArea::PlusDragPicture() const {
  const QString text = PlusDragText();
  QFont font = form_->SensorActionPanel->font();
  font.setPixelSize(14);
  const QFontMetrics metrics(font);
  const QSize size(metrics.horizontalAdvance(text) + 12, metrics.height() + 8);
  QPixmap picture(size);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QColor(0x00, 0x00, 0xC0));
  painter.setBrush(QColor(0xFF, 0xF0, 0xA0));
  painter.drawRoundedRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1), 5, 5);
  painter.setFont(font);
  painter.setPen(Qt::black);
  painter.drawText(QRect(QPoint(0, 0), size), Qt::AlignCenter, text);
  return picture;
}

void StepArea::StartPlusDrag() {
  if (!form_->SensorActionPanel->isEnabled() || !lists_.AdvancedMode) return;
  auto* drag = new QDrag(form_->SensorActionPanel);
  auto* data = new QMimeData;
  data->setData(QString::fromLatin1(kSensorSetMime), QByteArray::number(ShownSetList() - 2));
  drag->setMimeData(data);
  // The picture under the cursor names the set the drop gives.
  const QPixmap picture = PlusDragPicture();
  drag->setPixmap(picture);
  drag->setHotSpot(QPoint(picture.width() / 2, picture.height() / 2));
  if (RunPlusDrag)
    RunPlusDrag(drag);
  else
    drag->exec(Qt::CopyAction);
  drag->deleteLater();
}

}  // namespace ui
