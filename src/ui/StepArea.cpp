#include "ui/StepArea.h"

#include <QApplication>
#include <QDrag>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QTabBar>
#include <algorithm>

#include "actions/ActionKind.h"
#include "actions/StepSlots.h"
#include "app/PictureSlot.h"
#include "app/Pictures.h"
#include "app/core/Texts.h"
#include "ui/DraggerUnit.h"
#include "ui/MainWindow.h"
#include "ui/PictureButtons.h"
#include "ui/StepGrid.h"

namespace ui {

namespace {
using actions::ActionKind;
using actions::EditKey;
using actions::kMainList;

constexpr int kHeaderTexts[] = {369, 370, 371, 372, 373};
constexpr int kMainGridRecord = 88;
constexpr int kSetGridRecord = 89;
constexpr int kDragThreshold = 4;  // pixels the cursor moves before a press becomes a drag
constexpr int kFirstTile = 14;
constexpr int kLastTile = 21;

bool StrictlyInside(const QRect& area, QPoint p) {
  return p.x() > area.left() && p.x() < area.right() + 1 && p.y() > area.top() && p.y() < area.bottom() + 1;
}

QRect GlobalRect(const QWidget* widget) {
  return QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size());
}

actions::NumberFormat LocaleFormat() {
  const QLocale locale = QLocale::system();
  actions::NumberFormat format;
  const QString separator = locale.decimalPoint();
  const QString negative = locale.negativeSign();
  if (separator.size() == 1) format.DecimalSeparator = separator.at(0).unicode();
  if (negative.size() == 1) format.NegativeSign = negative.at(0).unicode();
  return format;
}
}  // namespace

StepArea::StepArea(TMainForm* form, actions::ActionLists& lists) : QObject(form), form_(form), lists_(lists) {
  lists_.Format = LocaleFormat();
  dragger_ = new TDragger(form);
}

StepArea::~StepArea() = default;

// --- making the grids and slots ---

void StepArea::MakeStepGrids() {
  lists_.AdvancedMode = app::Global().AdvancedMode;
  const bool advanced = lists_.AdvancedMode;
  for (int list = 1; list <= actions::kListCount; ++list) {
    QWidget* parent = list == kMainList ? static_cast<QWidget*>(form_) : form_->SensorTabbedNotebook;
    auto* grid = new StepGrid(list, parent);
    grid->setObjectName(list == kMainList ? QStringLiteral("ToDoList")
                        : list == 2       ? QStringLiteral("SensorSetAll")
                                          : QStringLiteral("SensorSet%1").arg(list - 2));
    grids_[list - 1] = grid;
  }
  for (int list = 1; list <= actions::kListCount; ++list) {
    StepGrid* grid = Grid(list);
    if (list == kMainList) {
      grid->setGeometry(advanced ? QRect(158, 103, 287, 226) : QRect(159, 103, 231, 226));
      app::ApplyControlLayout(kMainGridRecord, grid, advanced);
    } else {
      grid->setGeometry(4, 24, 193, 198);
      app::ApplyControlLayout(kSetGridRecord, grid, advanced);
    }
    const int columns = list == kMainList && advanced ? 5 : 2;
    QStringList headers;
    for (int c = 0; c < columns; ++c) headers << app::LoadText(kHeaderTexts[c]);
    grid->MakeColumns(headers);
    grid->SetRowCount(lists_.StepCount(list) + 2);
    if (list == kMainList) {
      grid->CellText = [this](int column, int row) { return SetName(column, row); };
      grid->setAcceptDrops(true);
      grid->viewport()->setAcceptDrops(true);
    }
    WireGrid(grid);
    grid->setVisible(list <= 2);
    grid->raise();
  }
  WirePalette();
}

void StepArea::MakeStepSlots() {
  for (int kind = 0; kind < actions::kKindCount; ++kind) {
    const int tile = actions::InfoOf(static_cast<ActionKind>(kind)).paletteTile;
    if (app::PictureSlot* picture = form_->Pictures[tile]) pictures_[kind] = picture->firstFrame();
  }
  for (int s = 1; s <= actions::kMainSlots; ++s) {
    auto* slot = new TBotAction(Grid(kMainList), s, false, &pictures_, ActionKind::Forward, lists_.Format);
    slot->SpinEdit->OnValueChange = [this, s](TSuperSpinEdit* edit, std::int16_t) { ValueChanged(kMainList, s, edit); };
    mainSlots_[s - 1] = slot;
  }
  for (int s = 1; s <= actions::kSetSlots; ++s) {
    auto* slot = new TBotAction(Grid(ShownSetList()), s, false, &pictures_, ActionKind::Forward, lists_.Format);
    slot->SpinEdit->OnValueChange = [this, s](TSuperSpinEdit* edit, std::int16_t) { ValueChanged(ShownSetList(), s, edit); };
    setSlots_[s - 1] = slot;
  }
  DisplayVisibleActions(kMainList, 1);
  DisplayVisibleActions(ShownSetList(), 1);
}

void StepArea::WireGrid(StepGrid* grid) {
  connect(grid, &StepGrid::topRowChanged, this, [this, grid](int) { DisplayVisibleActions(grid->tag(), 1); });
  connect(grid, &StepGrid::mouseDown, this,
          [this](StepGrid* g, Qt::MouseButton button, Qt::KeyboardModifiers, QPoint) { GridMouseDown(g, button); });
  connect(grid, &StepGrid::clicked, this, [this](StepGrid*) { AutoEnableDisable(); });
  connect(grid, &StepGrid::mouseMoved, this, &StepArea::GridMouseMove);
  connect(grid, &StepGrid::rowMoved, this, &StepArea::ToDoListRowMoved);
  connect(grid, &StepGrid::keyDown, this, &StepArea::ToDoListKeyDown);
  if (grid->tag() == kMainList) {
    connect(grid, &StepGrid::dragOver, this,
            [this](StepGrid* g, QPoint pos, bool* accept) { *accept = ToDoListDragOver(g, pos); });
    connect(grid, &StepGrid::dropped, this, [this](StepGrid* g, QPoint pos) { ToDoListDragDrop(g, -1, pos); });
  }
}

void StepArea::WirePalette() {
  for (int s = kFirstTile; s <= kLastTile; ++s) {
    app::PictureSlot* tile = form_->Pictures[s];
    if (tile == nullptr) continue;
    connect(tile, &app::PictureSlot::mousePressed, this, [this](app::PictureSlot* t, QMouseEvent* e) {
      if (e->button() == Qt::LeftButton) ActionMouseDown(t, e->globalPosition().toPoint());
    });
    connect(tile, &app::PictureSlot::mouseMoved, this, [this](app::PictureSlot* t, QMouseEvent* e) {
      ActionMouseMove(t, e->globalPosition().toPoint(), e->buttons() & Qt::LeftButton);
    });
    connect(tile, &app::PictureSlot::mouseReleased, this, [this](app::PictureSlot* t, QMouseEvent* e) {
      if (e->button() == Qt::LeftButton) ActionMouseUp(t, e->globalPosition().toPoint());
    });
    connect(tile, &app::PictureSlot::doubleClicked, this, [this](app::PictureSlot* t) { ActionDblClick(t->tag()); });
  }
  connect(form_->SensorTabs, &QTabBar::currentChanged, this, &StepArea::SensorTabbedNotebookChange);
  plusTile_ = form_->SensorActionPanel;
  plusTile_->installEventFilter(this);
}

int StepArea::ShownSetList() const {
  return form_->SensorTabs != nullptr ? std::max(form_->SensorTabs->currentIndex(), 0) + 2 : 2;
}

TBotAction* StepArea::Slot(int list, int slot) const {
  if (list == kMainList) return slot >= 1 && slot <= actions::kMainSlots ? mainSlots_[slot - 1] : nullptr;
  return slot >= 1 && slot <= actions::kSetSlots ? setSlots_[slot - 1] : nullptr;
}

QString StepArea::SetName(int column, int row) const {
  const actions::StepRecord& step = lists_.Step(kMainList, row);
  const actions::SensorSetIndex set = column == 2 ? step.BothSet : column == 3 ? step.LeftSet : step.RightSet;
  return set < actions::kSensorSetCount ? app::LoadText(actions::SensorSetText(set)) : QString();
}

// --- showing the lists ---

void StepArea::DisplayVisibleActions(int list, int firstSlot) {
  if (list < 1 || list > actions::kListCount) return;
  // The six set slots belong to the grid of the shown tab.
  if (list != kMainList && list != ShownSetList()) return;
  StepGrid* grid = Grid(list);
  const int slotCount = actions::SlotCount(list);
  const int top = std::max(grid->TopRow(), 1);
  const int last = actions::ShownSlotCount(list, top, lists_.StepCount(list));
  for (int s = std::max(firstSlot, 1); s <= last; ++s) {
    TBotAction* slot = Slot(list, s);
    if (slot == nullptr) continue;
    const int row = actions::SlotRow(top, s);
    actions::StepRecord& record = lists_.Document().List(list)[row];
    slot->SetKind(record.kind());
    slot->SpinEdit->ShowStep(record, row);
    slot->SetShown(true);
  }
  for (int s = std::max(last + 1, firstSlot); s <= slotCount; ++s)
    if (TBotAction* slot = Slot(list, s)) {
      slot->BindValue(nullptr);
      slot->SetShown(false);
    }
}

void StepArea::RefreshAll() {
  for (int list = 1; list <= actions::kListCount; ++list) {
    Grid(list)->SetRowCount(lists_.StepCount(list) + 2);
    Grid(list)->viewport()->update();
  }
  DisplayVisibleActions(kMainList, 1);
  if (Grid(ShownSetList())->isVisibleTo(form_)) DisplayVisibleActions(ShownSetList(), 1);
}

void StepArea::ApplyResult(const actions::EditResult& result, int list) {
  if (!result.Changed) return;
  if (result.ListsChanged == (1u << actions::kListCount) - 1) {
    RefreshAll();
    return;
  }
  for (int l = 1; l <= actions::kListCount; ++l) {
    if (!result.Touches(l)) continue;
    Grid(l)->SetRowCount(lists_.StepCount(l) + 2);
    Grid(l)->viewport()->update();
    DisplayVisibleActions(l, 1);
  }
  (void)list;
}

// --- the grid events ---

void StepArea::GridMouseDown(StepGrid* grid, Qt::MouseButton) {
  lists_.CurrentList = grid->tag();
  AutoEnableDisable();
}

void StepArea::GridMouseMove(StepGrid* grid, QPoint pos) {
  form_->HideButtonLooks();
  int text = 429;
  if (grid->tag() == kMainList) {
    const int column = grid->ColumnAt(pos.x());
    text = column == 2 ? 435 : column == 3 ? 436 : column == 4 ? 437 : 434;
  } else {
    text = ShownSetList() == 2 ? 438 : 439;
  }
  form_->ShowHelpText(text);
  for (int s = kFirstTile; s <= kLastTile; ++s)
    if (form_->Pictures[s] != nullptr) form_->Pictures[s]->stopAnimation();
}

void StepArea::ToDoListKeyDown(StepGrid* grid, int key, Qt::KeyboardModifiers modifiers) {
  if (grid == nullptr) return;
  if (modifiers & Qt::AltModifier) {
    // The window's shortcut letters see the key first; an edit letter comes back through
    // the window's grid key handler as the plain edit key.
    form_->AltShortcut(key);
    AutoEnableDisable();
    return;
  }
  const int list = grid->tag();
  const bool ctrl = modifiers & Qt::ControlModifier;
  EditKey editKey;
  if (ctrl && key == Qt::Key_C)
    editKey = EditKey::Copy;
  else if (ctrl && key == Qt::Key_X)
    editKey = EditKey::Cut;
  else if (ctrl && key == Qt::Key_V)
    editKey = EditKey::Paste;
  else if (ctrl && key == Qt::Key_Z)
    editKey = EditKey::Undo;
  else if (!ctrl && key == Qt::Key_Delete)
    editKey = EditKey::Delete;
  else {
    AutoEnableDisable();
    return;
  }
  const actions::EditResult result =
      lists_.KeyCommand(list, editKey, grid->SelectionTop(), grid->SelectionBottom());
  ApplyResult(result, list);
  AutoEnableDisable();
}

bool StepArea::ToDoListDragOver(StepGrid* grid, QPoint pos) const {
  if (grid == nullptr || grid->tag() != kMainList) return false;
  if (!lists_.AdvancedMode) return false;
  const int column = grid->ColumnAt(pos.x());
  const int row = grid->RowAt(pos.y());
  return column >= 2 && column <= 4 && row >= 1 && row <= lists_.StepCount(kMainList);
}

void StepArea::ToDoListDragDrop(StepGrid* grid, int kind, QPoint pos) {
  if (grid == nullptr) return;
  const int list = grid->tag();
  int row = grid->RowAt(pos.y());
  if (row < 0) row = grid->RowCount() - 1;  // below the steps: the empty row
  if (row == 0) row = 1;                    // the header row: the first step
  lists_.CurrentList = list;
  if (kind >= 0) {
    const actions::EditResult result = lists_.DropTile(list, row, static_cast<ActionKind>(kind));
    if (result.Changed) {
      grid->SetRowCount(lists_.StepCount(list) + 2);
      const int slotCount = actions::SlotCount(list);
      if (result.Row == lists_.StepCount(list) && grid->RowCount() > 8)
        grid->SetTopRow(grid->RowCount() - slotCount);
      DisplayVisibleActions(list, std::max(1, result.Row - grid->TopRow() + 1));
      grid->viewport()->update();
    }
  } else if (list == kMainList) {
    const int column = grid->ColumnAt(pos.x());
    const int set = form_->SensorTabs != nullptr ? form_->SensorTabs->currentIndex() : 0;
    lists_.AssignSet(row, column, static_cast<actions::SensorSetIndex>(std::max(set, 0)));
    grid->viewport()->update();
  }
  AutoEnableDisable();
}

void StepArea::ToDoListRowMoved(StepGrid* grid, int from, int to) {
  const int list = grid->tag();
  const actions::EditResult result = lists_.MoveRow(list, from, to);
  ApplyResult(result, list);
  AutoEnableDisable();
}

void StepArea::ActionDblClick(int kind) {
  const int list = lists_.CurrentList;
  // A go-to never enters a sensor set.
  if (kind == static_cast<int>(ActionKind::GoToStep) && list != kMainList) return;
  StepGrid* grid = Grid(list);
  const int slotCount = actions::SlotCount(list);
  if (grid->RowCount() > slotCount) grid->SetTopRow(grid->RowCount() - slotCount);
  ToDoListDragDrop(grid, kind, QPoint(0, grid->height()));
}

void StepArea::SensorTabbedNotebookChange(int index) {
  const int list = std::max(index, 0) + 2;
  lists_.CurrentList = list;
  StepGrid* shown = Grid(list);
  shown->show();
  for (TBotAction* slot : setSlots_)
    if (slot != nullptr) slot->SetGrid(shown);
  DisplayVisibleActions(list, 1);
  for (int l = 2; l <= actions::kListCount; ++l)
    if (l != list) Grid(l)->hide();
  shown->viewport()->update();
  AutoEnableDisable();
}

void StepArea::Clear() {
  form_->Pictures[ButtonOf(kClearButton).Pressed]->hide();
  ApplyResult(lists_.Clear(), kMainList);
  AutoEnableDisable();
}

void StepArea::AutoEnableDisable() {
  StepGrid* grid = Grid(lists_.CurrentList);
  if (grid == nullptr) return;
  const actions::ButtonStates states = lists_.AutoEnableDisable(grid->SelectionTop());
  form_->SetButtonEnabled(kDeleteButton, states.Delete);
  form_->SetButtonEnabled(kCopyButton, states.Copy);
  form_->SetButtonEnabled(kCutButton, states.Cut);
  form_->SetButtonEnabled(kPasteButton, states.Paste);
  form_->SetButtonEnabled(kUndoButton, states.Undo);
  form_->SetButtonEnabled(kGoButton, states.Go);
  form_->SetButtonEnabled(kClearButton, states.Clear);
  form_->SetButtonEnabled(kSaveButton, states.Save);
  form_->SetButtonEnabled(kTestButton, states.Test);
  form_->SetButtonEnabled(kOpenButton, states.Open);
  form_->SetButtonEnabled(kQuitButton, states.Quit);
}

void StepArea::FocusCurrentGrid() {
  if (StepGrid* grid = Grid(lists_.CurrentList); grid != nullptr && grid->isVisible()) grid->setFocus();
}

void StepArea::ValueChanged(int list, int slot, TSuperSpinEdit* edit) {
  const int row = actions::SlotRow(Grid(list)->TopRow(), slot);
  const actions::EditResult result = lists_.ValueChanged(list, row, edit->Value().PreviousPosition());
  if (result.Changed) AutoEnableDisable();
  // Keep typing in the edit box; after the arrows the grid takes the keys again.
  if (!edit->Edit()->hasFocus()) FocusCurrentGrid();
}

// --- the palette drag ---

void StepArea::ActionMouseDown(app::PictureSlot* tile, QPoint globalCursor) {
  pressedTile_ = tile;
  pressStart_ = globalCursor;
}

bool StepArea::Dragging() const { return dragger_->Dragging(); }

void StepArea::ActionMouseMove(app::PictureSlot* tile, QPoint globalCursor, bool leftHeld) {
  if (!leftHeld || pressedTile_ != tile) return;
  if (!dragger_->Dragging()) {
    const QPoint moved = globalCursor - pressStart_;
    if (std::abs(moved.x()) <= kDragThreshold && std::abs(moved.y()) <= kDragThreshold) return;
    tile->stopAnimation();
    const QPoint tileTopLeft = form_->mapFromGlobal(tile->mapToGlobal(QPoint(0, 0)));
    dragger_->BeginDrag(tile->firstFrame(), tile->tag(), tileTopLeft, pressStart_ - tile->mapToGlobal(QPoint(0, 0)));
    QApplication::setOverrideCursor(Qt::DragMoveCursor);
  }
  tile->stopAnimation();  // the hover animation does not run under the drag
  dragger_->FollowCursor(globalCursor);
  const bool accepted = DropTarget(dragger_->Kind(), globalCursor) != 0;
  QApplication::changeOverrideCursor(accepted ? Qt::DragMoveCursor : Qt::ForbiddenCursor);
}

void StepArea::ActionMouseUp(app::PictureSlot* tile, QPoint globalCursor) {
  const bool dragging = dragger_->Dragging() && pressedTile_ == tile;
  pressedTile_ = nullptr;
  if (!dragging) return;
  while (QApplication::overrideCursor() != nullptr) QApplication::restoreOverrideCursor();
  DropRoutine(globalCursor);
  tile->update();
}

int StepArea::DropTarget(int kind, QPoint globalCursor) const {
  if (StrictlyInside(GlobalRect(Grid(kMainList)), globalCursor)) return kMainList;
  if (kind != static_cast<int>(ActionKind::GoToStep) && lists_.AdvancedMode && form_->SensorTabbedNotebook != nullptr &&
      form_->SensorTabbedNotebook->isVisible() && StrictlyInside(GlobalRect(form_->SensorTabbedNotebook), globalCursor))
    return ShownSetList();
  return 0;
}

void StepArea::DropRoutine(QPoint globalCursor) {
  const int target = DropTarget(dragger_->Kind(), globalCursor);
  if (target != 0) {
    StepGrid* grid = Grid(target);
    const QPoint local = grid->viewport()->mapFromGlobal(globalCursor);
    int row = grid->RowAt(local.y());
    if (row == 0) row = 1;
    if (row < 0) row = grid->RowCount() - 1;
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
  if (watched == plusTile_) {
    if (event->type() == QEvent::MouseButtonPress) {
      auto* mouse = static_cast<QMouseEvent*>(event);
      plusPressed_ = mouse->button() == Qt::LeftButton;
      plusPressStart_ = mouse->globalPosition().toPoint();
    } else if (event->type() == QEvent::MouseMove && plusPressed_) {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if ((mouse->globalPosition().toPoint() - plusPressStart_).manhattanLength() >= QApplication::startDragDistance()) {
        plusPressed_ = false;
        StartPlusDrag();
      }
    } else if (event->type() == QEvent::MouseButtonRelease) {
      plusPressed_ = false;
    }
  }
  return QObject::eventFilter(watched, event);
}

void StepArea::StartPlusDrag() {
  if (!form_->SensorActionPanel->isEnabled() || !lists_.AdvancedMode) return;
  auto* drag = new QDrag(form_->SensorActionPanel);
  auto* data = new QMimeData;
  data->setData(QString::fromLatin1(kSensorSetMime), QByteArray::number(ShownSetList() - 2));
  drag->setMimeData(data);
  drag->setPixmap(form_->SensorActionPanel->grab());
  drag->exec(Qt::CopyAction);
}

}  // namespace ui
