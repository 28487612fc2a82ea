#pragma once
// One step slot: the picture of a step (the first frame of its kind's palette tile) and its
// value editor, laid over a visible step row of a grid.

#include <QLabel>
#include <QPixmap>
#include <array>
#include <functional>

#include "actions/StepRecord.h"
#include "ui/StepListModel.h"
#include "ui/SuperSpinEdit.h"

namespace ui {

class StepGrid;

class TBotAction : public QObject {
  Q_OBJECT
 public:
  static constexpr int kIconSize = 25;

  // Slot `slot` (1-based) of `grid`; the value editor uses the width of column 1.
  TBotAction(StepGrid* grid, int slot, bool shown, const KindPictures* pictures, actions::ActionKind kind,
             const actions::NumberFormat& format);

  void SetKind(actions::ActionKind kind);
  void BindValue(std::int16_t* value) { SpinEdit->BindValue(value); }
  // Shows the step of `index` (action column of a list model): picture, value editor and
  // the names a screen reader gives them.
  void ShowStep(const QModelIndex& index);
  void SetShown(bool shown);
  // Moves the slot into another grid (the six shared slots of the sensor set grids).
  void SetGrid(StepGrid* grid);

  QLabel* Icon = nullptr;
  TSuperSpinEdit* SpinEdit = nullptr;

  int slot() const { return slot_; }
  actions::ActionKind kind() const { return kind_; }
  bool IsShown() const { return shown_; }
  StepGrid* grid() const { return grid_; }

 private:
  void Place();

  StepGrid* grid_;
  int slot_;
  const KindPictures* pictures_;
  actions::ActionKind kind_ = actions::ActionKind::Forward;
  bool shown_ = false;
  int iconKind_ = -1;  // the kind whose picture the icon holds
};

}  // namespace ui
