// The value editors of the step area: storing what the slots report, ending or dropping the
// typing, and the floating editor that keeps a value being typed alive while its step is
// scrolled out of view (the way an item view keeps its open editor).

#include "actions/StepSlots.h"
#include "ui/StepArea.h"
#include "ui/StepGrid.h"

namespace ui {

namespace {
// The floating editor lies this far above the first row, wholly outside the viewport.
constexpr int kParkedTop = -3 * StepGrid::kRowPitch;
}  // namespace

void StepArea::ValueChanged(TSuperSpinEdit* edit, std::int16_t position) {
  // The editor reports for the step whose index it holds, whichever row it lies over now.
  const QPersistentModelIndex index = edit->Index();
  if (!index.isValid()) return;
  Model(edit->BoundList())->setData(index, int(position), StepListModel::ValueRole);
  AutoEnableDisable();
  // Keep typing in the edit box; after the arrows the grid takes the keys again.
  if (!edit->Edit()->hasFocus()) FocusCurrentGrid();
}

void StepArea::CommitEdits() {
  ForEachSlot([](TBotAction* slot) { slot->SpinEdit->CommitEdit(slot->grid()); });
  if (floating_ != nullptr) floating_->CommitEdit(FloatingGrid());
}

void StepArea::CancelEdits() {
  ForEachSlot([](TBotAction* slot) { slot->SpinEdit->CancelEdit(slot->grid()); });
  if (floating_ != nullptr) floating_->CancelEdit(FloatingGrid());
}

void StepArea::CommitSlotEdits(int list) {
  ForEachSlot([list](TBotAction* slot) {
    if ((list == actions::kMainList) == (slot->grid()->tag() == actions::kMainList))
      slot->SpinEdit->CommitEdit(slot->grid());
  });
}

void StepArea::ForEachSlot(const std::function<void(TBotAction*)>& action) {
  for (TBotAction* slot : mainSlots_)
    if (slot != nullptr) action(slot);
  for (TBotAction* slot : setSlots_)
    if (slot != nullptr) action(slot);
}

void StepArea::MakeFloatingEditor() {
  const TSuperSpinEdit* model = Slot(actions::kMainList, 1)->SpinEdit;
  floating_ = new TSuperSpinEdit(Grid(actions::kMainList)->viewport(), lists_.Format);
  floating_->setObjectName(QStringLiteral("FloatingValueEditor"));
  floating_->SetLimit(actions::SpinValue::kIncrement, 1);
  floating_->SetLimit(actions::SpinValue::kAccelThreshold, 15);
  floating_->SetFormat(actions::SpinValue::kAccelFactor, 2);
  // The slots' size, so that the typed text scrolls in the box as it did in the slot.
  floating_->SetBound(TSuperSpinEdit::kLeft, model->Edit()->x());
  floating_->SetBound(TSuperSpinEdit::kTop, kParkedTop);
  floating_->SetBound(TSuperSpinEdit::kWidth, model->Edit()->width() + SpinArrows::kWidth);
  floating_->SetBound(TSuperSpinEdit::kHeight, TBotAction::kIconSize);
  floating_->SetShown(false);
  floating_->OnValueChange = [this](TSuperSpinEdit* edit, std::int16_t p) { ValueChanged(edit, p); };
  floating_->OnEditEnded = [this](TSuperSpinEdit*) { FloatingEditEnded(); };
}

StepGrid* StepArea::FloatingGrid() const {
  return floating_ != nullptr ? qobject_cast<StepGrid*>(floating_->Edit()->parentWidget()->parentWidget())
                              : nullptr;
}

void StepArea::ParkEdit(StepGrid* grid) {
  if (floating_ == nullptr) return;
  for (int s = 1; s <= actions::SlotCount(grid->tag()); ++s) {
    TBotAction* slot = Slot(grid->tag(), s);
    if (slot == nullptr || slot->grid() != grid || !slot->SpinEdit->IsEditing()) continue;
    // Moved only while it holds no edit, so that no focus is lost on the way.
    if (FloatingGrid() != grid) floating_->SetParent(grid->viewport());
    floating_->SetShown(true);  // a hidden box could not keep the focus
    slot->SpinEdit->HandEditTo(*floating_);
    return;
  }
}

void StepArea::ReclaimEdit(int list) {
  StepGrid* grid = Grid(list);
  if (floating_ == nullptr || !floating_->IsEditing() || FloatingGrid() != grid) return;
  if (!floating_->Index().isValid()) {
    floating_->CancelEdit(grid);  // the step is gone, and what was typed for it with it
    return;
  }
  const int row = floating_->BoundRow();
  TBotAction* slot = Slot(list, row - std::max(grid->TopRow(), 1) + 1);
  if (slot != nullptr && slot->IsShown() && slot->SpinEdit->BoundList() == floating_->BoundList() &&
      slot->SpinEdit->BoundRow() == row)
    floating_->HandEditTo(*slot->SpinEdit);
}

void StepArea::FloatingEditEnded() {
  // Enter leaves the focus on the hidden arrows when the step is gone; the grid takes it
  // rather than whatever widget follows them.
  if (floating_->Arrows()->hasFocus()) FloatingGrid()->setFocus(Qt::OtherFocusReason);
  floating_->Unbind();
  floating_->SetShown(false);
}

}  // namespace ui
