#include "ui/StepArea.h"

#include <QApplication>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QTabBar>
#include <algorithm>
#include <memory>

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
constexpr int kFirstTile = 14;
constexpr int kLastTile = 21;
constexpr int kMainListTitle = 512;        // "Acciones a ejecutar"
constexpr int kSetListsTitle = 513;        // "Acciones de Sensores"
constexpr int kTileDescriptionText = 607;  // "Arrástrela a una lista o haga doble clic ..."
constexpr int kPlusTileText = 608;         // "Asignar %1 a una columna de sensores de un paso"

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
  models_ = new StepModels(lists_, this);
  dragger_ = new TDragger(form);
}

StepArea::~StepArea() {
  // The floating editor's box may still lose the focus while the window is torn down.
  if (floating_ != nullptr) {
    floating_->OnValueChange = nullptr;
    floating_->OnEditEnded = nullptr;
  }
}

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
    grid->SetStepCount(lists_.StepCount(list));
    NameGrid(grid);
    if (list == kMainList) {
      StepListModel* model = Model(list);
      grid->CellText = [model](int column, int row) {
        return model->StepIndex(row, column).data().toString();
      };
      grid->setAcceptDrops(true);
      grid->viewport()->setAcceptDrops(true);
    }
    WireGrid(grid);
    WireModel(list);
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
  models_->SetPictures(&pictures_);
  for (int s = 1; s <= actions::kMainSlots; ++s) {
    auto* slot = new TBotAction(Grid(kMainList), s, false, &pictures_, ActionKind::Forward, lists_.Format);
    slot->SpinEdit->OnValueChange = [this](TSuperSpinEdit* edit, std::int16_t p) { ValueChanged(edit, p); };
    mainSlots_[s - 1] = slot;
  }
  for (int s = 1; s <= actions::kSetSlots; ++s) {
    auto* slot =
        new TBotAction(Grid(ShownSetList()), s, false, &pictures_, ActionKind::Forward, lists_.Format);
    slot->SpinEdit->OnValueChange = [this](TSuperSpinEdit* edit, std::int16_t p) { ValueChanged(edit, p); };
    setSlots_[s - 1] = slot;
  }
  MakeFloatingEditor();
  DisplayVisibleActions(kMainList, 1);
  DisplayVisibleActions(ShownSetList(), 1);
}

void StepArea::WireGrid(StepGrid* grid) {
  connect(grid, &StepGrid::topRowChanged, this, [this, grid](int) {
    // A value being typed stays with the step it was typed for, unfinished, while other
    // steps scroll under its slot.
    ParkEdit(grid);
    DisplayVisibleActions(grid->tag(), 1);
  });
  connect(grid, &StepGrid::mouseDown, this,
          [this](StepGrid* g, Qt::MouseButton button, Qt::KeyboardModifiers, QPoint) {
            GridMouseDown(g, button);
          });
  connect(grid, &StepGrid::clicked, this, [this](StepGrid*) { AutoEnableDisable(); });
  connect(grid, &StepGrid::mouseMoved, this, &StepArea::GridMouseMove);
  connect(grid, &StepGrid::rowMoved, this, &StepArea::ToDoListRowMoved);
  connect(grid, &StepGrid::keyDown, this, &StepArea::ToDoListKeyDown);
  if (grid->tag() == kMainList) {
    connect(grid, &StepGrid::dragOver, this,
            [this](StepGrid* g, QPoint pos, bool* accept) { *accept = ToDoListDragOver(g, pos); });
    connect(grid, &StepGrid::dropped, this,
            [this](StepGrid* g, QPoint pos, const QMimeData* data) { MimeDropped(g, pos, data); });
  }
}

void StepArea::NameGrid(StepGrid* grid) {
  StepListModel* model = Model(grid->tag());
  grid->setAccessibleName(grid->tag() == kMainList
                              ? app::LoadText(kMainListTitle)
                              : app::LoadText(kSetListsTitle) + QStringLiteral(": ") +
                                    app::LoadText(actions::SensorSetText(grid->tag() - 2)));
  grid->RowText = [model](int row) { return model->StepSentence(row); };
  grid->RowDescription = [model](int row) {
    return model->StepIndex(row).data(Qt::AccessibleDescriptionRole).toString();
  };
}

void StepArea::WireModel(int list) {
  StepListModel* model = Model(list);
  const auto rows = [this, list] { RowsChanged(list); };
  connect(model, &QAbstractItemModel::rowsInserted, this, rows);
  connect(model, &QAbstractItemModel::rowsRemoved, this, rows);
  connect(model, &QAbstractItemModel::rowsMoved, this, rows);
  connect(model, &QAbstractItemModel::modelReset, this, rows);
  connect(model, &QAbstractItemModel::dataChanged, this, [this, list] { ValuesChanged(list); });
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
    connect(tile, &app::PictureSlot::doubleClicked, this,
            [this](app::PictureSlot* t) { ActionDblClick(t->tag()); });
    if (actions::IsValidKind(static_cast<std::uint8_t>(tile->tag()))) {
      tile->setAccessibleName(
          app::LoadText(actions::InfoOf(static_cast<ActionKind>(tile->tag())).textNumber));
      tile->setAccessibleDescription(app::LoadText(kTileDescriptionText));
    }
  }
  connect(form_->SensorTabs, &QTabBar::currentChanged, this, &StepArea::SensorTabbedNotebookChange);
  plusTile_ = form_->SensorActionPanel;
  plusTile_->installEventFilter(this);
  NamePlusTile();
}

void StepArea::NamePlusTile() {
  if (plusTile_ == nullptr) return;
  plusTile_->setAccessibleName(
      app::LoadText(kPlusTileText).arg(app::LoadText(actions::SensorSetText(ShownSetList() - 2))));
}

int StepArea::ShownSetList() const {
  return form_->SensorTabs != nullptr ? std::max(form_->SensorTabs->currentIndex(), 0) + 2 : 2;
}

TBotAction* StepArea::Slot(int list, int slot) const {
  if (list == kMainList) return slot >= 1 && slot <= actions::kMainSlots ? mainSlots_[slot - 1] : nullptr;
  return slot >= 1 && slot <= actions::kSetSlots ? setSlots_[slot - 1] : nullptr;
}

// --- showing the lists ---

void StepArea::DisplayVisibleActions(int list, int firstSlot) {
  if (list < 1 || list > actions::kListCount) return;
  // The six set slots belong to the grid of the shown tab.
  if (list != kMainList && list != ShownSetList()) return;
  StepGrid* grid = Grid(list);
  const int slotCount = actions::SlotCount(list);
  // The slots are about to show other steps: a value still being typed goes to the step its
  // editor's index follows (nowhere when that step is gone), never to the step now under it.
  CommitSlotEdits(list);
  const int top = std::max(grid->TopRow(), 1);
  const int last = actions::ShownSlotCount(list, top, lists_.StepCount(list));
  showing_ = true;
  for (int s = std::max(firstSlot, 1); s <= last; ++s)
    if (TBotAction* slot = Slot(list, s)) ShowSlot(slot, list, actions::SlotRow(top, s));
  showing_ = false;
  for (int s = std::max(last + 1, firstSlot); s <= slotCount; ++s)
    if (TBotAction* slot = Slot(list, s)) {
      slot->SpinEdit->Unbind();
      slot->SetShown(false);
    }
  ReclaimEdit(list);
}

void StepArea::ShowSlot(TBotAction* slot, int list, int row) {
  StepListModel* model = Model(list);
  // A slot shows a value within the limits of its step's kind and row, and keeps it so.
  model->LimitShownValue(row);
  slot->ShowStep(model->StepIndex(row));
  slot->SetShown(true);
}

void StepArea::RowsChanged(int list) {
  if (Grid(list) == nullptr) return;
  Grid(list)->SetStepCount(Model(list)->rowCount());
  Grid(list)->viewport()->update();
  DisplayVisibleActions(list, 1);
}

void StepArea::ValuesChanged(int list) {
  if (Grid(list) == nullptr) return;
  Grid(list)->viewport()->update();
  if (showing_ || (list != kMainList && list != ShownSetList())) return;
  const int slotCount = actions::SlotCount(list);
  for (int s = 1; s <= slotCount; ++s) {
    TBotAction* slot = Slot(list, s);
    // A slot being typed into keeps the text; one that sent the change already shows it.
    if (slot == nullptr || !slot->IsShown() || slot->SpinEdit->IsEditing()) continue;
    const QModelIndex index = slot->SpinEdit->Index();
    if (!index.isValid()) continue;
    if (index.data(StepListModel::ValueRole).toInt() != slot->SpinEdit->Value().Position() ||
        index.data(StepListModel::KindRole).toInt() != static_cast<int>(slot->kind()))
      slot->ShowStep(index);
    slot->Icon->setAccessibleName(index.data(Qt::AccessibleTextRole).toString());
    slot->SpinEdit->Edit()->setAccessibleDescription(index.data(Qt::AccessibleTextRole).toString());
  }
}

void StepArea::RefreshAll() {
  CancelEdits();  // the lists were replaced under the editors
  models_->ListsReplaced();
  for (int list = 1; list <= actions::kListCount; ++list) {
    Grid(list)->SetStepCount(lists_.StepCount(list));
    Grid(list)->viewport()->update();
  }
  DisplayVisibleActions(kMainList, 1);
  if (Grid(ShownSetList())->isVisibleTo(form_)) DisplayVisibleActions(ShownSetList(), 1);
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
  if (!FullNoticeShowing()) form_->ShowHelpText(text);
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
  CommitEdits();
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
  Model(list)->KeyCommand(editKey, grid->SelectionTop(), grid->SelectionBottom());
  if (editKey == EditKey::Paste && !lists_.Clip().Empty() && ListFull(list)) SayListFull();
  AutoEnableDisable();
}

bool StepArea::ToDoListDragOver(StepGrid* grid, QPoint pos) const {
  if (grid == nullptr || grid->tag() != kMainList) return false;
  // The model decides, as it does for the drop itself: a set cell of a step, advanced mode.
  StepListModel* model = Model(kMainList);
  const std::unique_ptr<QMimeData> data(
      StepListModel::SetMime(static_cast<actions::SensorSetIndex>(ShownSetList() - 2)));
  const QModelIndex cell = model->index(grid->RowAt(pos.y()) - 1, grid->ColumnAt(pos.x()));
  return model->canDropMimeData(data.get(), Qt::CopyAction, -1, -1, cell);
}

void StepArea::ToDoListDragDrop(StepGrid* grid, int kind, QPoint pos) {
  if (grid == nullptr) return;
  CommitEdits();
  const int list = grid->tag();
  int row = grid->RowAt(pos.y());
  if (row < 0) row = grid->RowCount() - 1;  // below the steps: the empty row
  if (row == 0) row = 1;                    // the header row: the first step
  lists_.CurrentList = list;
  if (kind >= 0) {
    const bool wasFull = ListFull(list);
    const actions::EditResult result = Model(list)->InsertTile(row, static_cast<ActionKind>(kind));
    if (wasFull) SayListFull();
    if (result.Changed) {
      const int slotCount = actions::SlotCount(list);
      if (result.Row == lists_.StepCount(list) && grid->RowCount() > 8)
        grid->SetTopRow(grid->RowCount() - slotCount);
      DisplayVisibleActions(list, std::max(1, result.Row - grid->TopRow() + 1));
      grid->viewport()->update();
    }
  } else if (list == kMainList) {
    const std::unique_ptr<QMimeData> data(
        StepListModel::SetMime(static_cast<actions::SensorSetIndex>(ShownSetList() - 2)));
    MimeDropped(grid, pos, data.get());
  }
  AutoEnableDisable();
}

bool StepArea::MimeDropped(StepGrid* grid, QPoint pos, const QMimeData* data) {
  CommitEdits();
  const int list = grid->tag();
  int row = grid->RowAt(pos.y());
  if (row < 0) row = grid->RowCount() - 1;
  if (row == 0) row = 1;
  const int column = grid->ColumnAt(pos.x());
  lists_.CurrentList = list;
  StepListModel* model = Model(list);
  const bool taken = model->dropMimeData(data, Qt::CopyAction, -1, -1, model->index(row - 1, column));
  // Even a set that the cell already had is shown to have landed there.
  if (taken) grid->FlashCell(column, row);
  grid->viewport()->update();
  AutoEnableDisable();
  return taken;
}

void StepArea::ToDoListRowMoved(StepGrid* grid, int from, int to) {
  CommitEdits();
  const int list = grid->tag();
  Model(list)->MoveStep(from, to);
  AutoEnableDisable();
}

void StepArea::ActionDblClick(int kind) {
  CommitEdits();
  const int list = lists_.CurrentList;
  // A go-to never enters a sensor set.
  if (kind == static_cast<int>(ActionKind::GoToStep) && list != kMainList) return;
  StepGrid* grid = Grid(list);
  const int slotCount = actions::SlotCount(list);
  if (grid->RowCount() > slotCount) grid->SetTopRow(grid->RowCount() - slotCount);
  ToDoListDragDrop(grid, kind, QPoint(0, grid->height()));
}

void StepArea::SensorTabbedNotebookChange(int index) {
  CommitEdits();
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
  NamePlusTile();
  AutoEnableDisable();
}

void StepArea::Clear() {
  CommitEdits();
  form_->Pictures[ButtonOf(kClearButton).Pressed]->hide();
  models_->Clear();
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

bool StepArea::ListFull(int list) const {
  return lists_.StepCount(list) >= actions::kMaxSteps;
}

void StepArea::SayListFull() {
  form_->ShowHelpText(kListFullText);
  fullNoticeShown_.start();
}

bool StepArea::FullNoticeShowing() const {
  return fullNoticeShown_.isValid() && fullNoticeShown_.elapsed() < kFullNoticeMs;
}

}  // namespace ui
