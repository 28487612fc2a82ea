#pragma once
// The part of the main window where steps are built: the six step grids, the sensor set tabs,
// the step slots over the grids, the palette tiles with their drag window, the "+" tile and
// the grid keys. Every change goes through the list models (StepModels); the grids and slots
// follow the models' signals, and the buttons are recomputed after each command.

#include <QElapsedTimer>
#include <QObject>
#include <QPixmap>
#include <QPoint>
#include <QPointer>
#include <array>
#include <functional>
#include <memory>

#include "actions/ActionLists.h"
#include "actions/StepSlots.h"
#include "ui/BotAction.h"
#include "ui/StepListModel.h"

class QDrag;
class QMimeData;
class QMouseEvent;

namespace app {
class PictureSlot;
}

namespace ui {

class StepGrid;
class TDragger;
class TMainForm;

class StepArea : public QObject {
  Q_OBJECT
 public:
  StepArea(TMainForm* form, actions::ActionLists& lists);
  ~StepArea() override;

  actions::ActionLists& Lists() { return lists_; }
  StepModels* Models() const { return models_; }
  StepListModel* Model(int list) const { return models_->Model(list); }

  // Made once at show, after the palette and the mode are known.
  void MakeStepGrids();
  void MakeStepSlots();

  StepGrid* Grid(int list) const { return grids_.at(list - 1); }
  // Slot s (1-based) over the main grid (list 1) or over the shown set grid (any other list).
  TBotAction* Slot(int list, int slot) const;
  TDragger* Dragger() const { return dragger_; }
  int ShownSetList() const;

  // --- what the window does with the lists ---
  void DisplayVisibleActions(int list, int firstSlot);
  // Row counts from the lists and every visible slot renewed (after undo, clear and load).
  void RefreshAll();
  void ToDoListKeyDown(StepGrid* grid, int key, Qt::KeyboardModifiers modifiers);
  // A palette tile (kind) or the "+" tile (kind < 0) dropped at `pos` of `grid`.
  void ToDoListDragDrop(StepGrid* grid, int kind, QPoint pos);
  bool ToDoListDragOver(StepGrid* grid, QPoint pos) const;
  // A standard drag (the "+" tile's set) dropped at `pos` of `grid`; true when it was taken.
  bool MimeDropped(StepGrid* grid, QPoint pos, const QMimeData* data);
  void ToDoListRowMoved(StepGrid* grid, int from, int to);
  void ActionDblClick(int kind);
  void SensorTabbedNotebookChange(int index);
  void Clear();
  void AutoEnableDisable();
  void FocusCurrentGrid();

  // --- the palette drag, in global (screen) coordinates ---
  void ActionMouseDown(app::PictureSlot* tile, QPoint globalCursor);
  void ActionMouseMove(app::PictureSlot* tile, QPoint globalCursor, bool leftHeld);
  void ActionMouseUp(app::PictureSlot* tile, QPoint globalCursor);
  // Where a drop at `globalCursor` of `kind` would go: list 1..6, or 0 for nowhere.
  int DropTarget(int kind, QPoint globalCursor) const;
  bool Dragging() const;

  // The first frame of each kind's palette tile.
  const KindPictures& Pictures() const { return pictures_; }

  // --- the "+" tile's drag ---
  // What its picture says: "+" and the name of the set the drop gives (the shown tab's).
  QString PlusDragText() const;
  QPixmap PlusDragPicture() const;
  // Runs the platform drag; empty means QDrag::exec. Tests put their own here.
  std::function<void(QDrag*)> RunPlusDrag;

  // Ends typing in every value editor, storing the text into the editor's own step.
  void CommitEdits();
  // The editor that keeps a value being typed while its step is scrolled out of view. It lies
  // outside the visible rows of its grid, so it is clipped away but keeps the focus; hidden
  // when it holds no edit.
  TSuperSpinEdit* FloatingEditor() const { return floating_; }
  // Help text shown when a full list refuses a step.
  static constexpr int kListFullText = 600;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void WireGrid(StepGrid* grid);
  void WireModel(int list);
  // The grid's and its rows' names for a screen reader, from its list model.
  void NameGrid(StepGrid* grid);
  void WirePalette();
  // The "+" tile's name for a screen reader says which set it gives.
  void NamePlusTile();
  void ValueChanged(TSuperSpinEdit* edit, std::int16_t position);
  // The model of `list` gained, lost or moved rows, or started over.
  void RowsChanged(int list);
  // Values or sets of `list` changed: the cells and the slots not being typed into follow.
  void ValuesChanged(int list);
  void ShowSlot(TBotAction* slot, int list, int row);
  void CancelEdits();
  // Ends typing in the slots of `list` only (another grid's edit is not touched).
  void CommitSlotEdits(int list);
  void ForEachSlot(const std::function<void(TBotAction*)>& action);
  void MakeFloatingEditor();
  // The rows of `grid` are about to scroll: an edit in one of its slots moves into the
  // floating editor, unfinished.
  void ParkEdit(StepGrid* grid);
  // After the slots of `list` were shown again: the slot now over the floating editor's step
  // takes its edit back; a step deleted meanwhile drops the edit.
  void ReclaimEdit(int list);
  void FloatingEditEnded();
  StepGrid* FloatingGrid() const;
  bool ListFull(int list) const;
  // Says in the help panel that the list is full; the grids leave it there for a while.
  void SayListFull();
  bool FullNoticeShowing() const;
  // The line where a tile would land, on the grid of list `target` (0: on none).
  void ShowLandingLine(int target, QPoint globalCursor);
  void GridMouseMove(StepGrid* grid, QPoint pos);
  void GridMouseDown(StepGrid* grid, Qt::MouseButton button);
  void DropRoutine(QPoint globalCursor);
  void StartPlusDrag();

  TMainForm* form_;
  // The "+" tile, kept apart: its events still reach the filter while the form is being torn
  // down, when the form's own members must not be touched any more.
  QWidget* plusTile_ = nullptr;
  actions::ActionLists& lists_;
  StepModels* models_ = nullptr;
  bool showing_ = false;  // the slots are being filled; their own limits come back as changes
  std::array<StepGrid*, actions::kListCount> grids_{};
  std::array<TBotAction*, actions::kMainSlots> mainSlots_{};
  std::array<TBotAction*, actions::kSetSlots> setSlots_{};
  // Lives in a grid's viewport, which may go before or after this object at shutdown.
  QPointer<TSuperSpinEdit> floating_;
  KindPictures pictures_;
  TDragger* dragger_ = nullptr;

  // The palette press that may become a drag.
  app::PictureSlot* pressedTile_ = nullptr;
  QPoint pressStart_;
  QPoint plusPressStart_;
  bool plusPressed_ = false;

  static constexpr int kFullNoticeMs = 4000;
  QElapsedTimer fullNoticeShown_;
};

}  // namespace ui
