#include "ui/BotAction.h"

#include <algorithm>

#include "actions/ActionKind.h"
#include "app/core/Texts.h"
#include "ui/BotActionIcon.h"
#include "ui/StepGrid.h"

namespace ui {

TBotAction::TBotAction(StepGrid* grid, int slot, bool shown, const KindPictures* pictures,
                       actions::ActionKind kind, const actions::NumberFormat& format)
    : QObject(grid), grid_(grid), slot_(slot), pictures_(pictures) {
  Icon = new QLabel(grid->viewport());
  Icon->setScaledContents(true);
  Icon->setAttribute(Qt::WA_TransparentForMouseEvents);  // a click on the picture selects the row
  SpinEdit = new TSuperSpinEdit(grid->viewport(), format);
  SpinEdit->SetLimit(actions::SpinValue::kIncrement, 1);
  SpinEdit->SetLimit(actions::SpinValue::kAccelThreshold, 15);
  SpinEdit->SetFormat(actions::SpinValue::kAccelFactor, 2);
  Place();
  SetKind(kind);
  SetShown(shown);
}

void TBotAction::Place() {
  const int left = grid_->ColWidth(0) + 2;
  const int top = StepGrid::kRowPitch * slot_ + 1;
  Icon->setGeometry(left, top, kIconSize, kIconSize);
  // The value editor fills the rest of the action cell.
  const QRect cell = grid_->CellRect(1, 1);
  const int editLeft = left + kIconSize + 4;
  const int width = std::min(grid_->ColWidth(1) - 27, cell.right() + 1 - editLeft);
  SpinEdit->SetBound(TSuperSpinEdit::kLeft, editLeft);
  SpinEdit->SetBound(TSuperSpinEdit::kTop, top);
  SpinEdit->SetBound(TSuperSpinEdit::kWidth, width);
  SpinEdit->SetBound(TSuperSpinEdit::kHeight, kIconSize);
}

void TBotAction::SetKind(actions::ActionKind kind) {
  kind_ = kind;
  if (!actions::IsValidKind(static_cast<std::uint8_t>(kind))) return;
  // Scrolling sets a kind on every slot; the picture is drawn again only when it changes.
  if (pictures_ != nullptr && iconKind_ != static_cast<int>(kind)) {
    Icon->setPixmap(
        StepIcon((*pictures_)[static_cast<int>(kind)], kind, kIconSize, Icon->devicePixelRatioF()));
    iconKind_ = static_cast<int>(kind);
  }
  Icon->setToolTip(app::LoadText(actions::InfoOf(kind).textNumber));
}

void TBotAction::ShowStep(const QModelIndex& index) {
  SetKind(static_cast<actions::ActionKind>(index.data(StepListModel::KindRole).toInt()));
  SpinEdit->ShowStep(index);
  Icon->setAccessibleName(index.data(Qt::AccessibleTextRole).toString());
}

void TBotAction::SetShown(bool shown) {
  shown_ = shown;
  Icon->setVisible(shown);
  SpinEdit->SetShown(shown);
}

void TBotAction::SetGrid(StepGrid* grid) {
  if (grid == grid_) return;
  grid_ = grid;
  setParent(grid);
  Icon->setParent(grid->viewport());
  SpinEdit->SetParent(grid->viewport());
  Place();
  SetShown(shown_);
}

}  // namespace ui
