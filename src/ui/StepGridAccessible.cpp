#include "ui/StepGridAccessible.h"

#include <QWidget>

#include "ui/StepGrid.h"

namespace ui {

namespace {
QAccessibleInterface* StepGridFactory(const QString&, QObject* object) {
  if (auto* grid = qobject_cast<StepGrid*>(object)) return new StepGridAccessible(grid);
  return nullptr;
}
}  // namespace

void StepGridAccessible::Install() {
  static const bool installed = [] {
    QAccessible::installFactory(StepGridFactory);
    return true;
  }();
  (void)installed;
}

StepGridAccessible::StepGridAccessible(StepGrid* grid) : QAccessibleWidget(grid, QAccessible::Table) {}

StepGridAccessible::~StepGridAccessible() {
  for (QAccessible::Id id : std::as_const(rows_)) QAccessible::deleteAccessibleInterface(id);
}

StepGrid* StepGridAccessible::Grid() const {
  return static_cast<StepGrid*>(widget());
}

int StepGridAccessible::childCount() const {
  // The rows below the header: the steps and, while the list has room, the empty row.
  return WidgetChildCount() + Grid()->RowCount() - 1;
}

QAccessibleInterface* StepGridAccessible::child(int index) const {
  if (index < 0) return nullptr;
  if (index < WidgetChildCount()) return QAccessibleWidget::child(index);
  const int row = index - WidgetChildCount() + 1;
  if (row >= Grid()->RowCount()) return nullptr;
  if (const auto found = rows_.constFind(row); found != rows_.cend())
    if (QAccessibleInterface* known = QAccessible::accessibleInterface(*found)) return known;
  auto* face = new StepRowAccessible(Grid(), row);
  rows_.insert(row, QAccessible::registerAccessibleInterface(face));
  return face;
}

int StepGridAccessible::indexOfChild(const QAccessibleInterface* child) const {
  if (const auto* row = dynamic_cast<const StepRowAccessible*>(child))
    return row->isValid() ? WidgetChildCount() + row->Row() - 1 : -1;
  return QAccessibleWidget::indexOfChild(child);
}

// --- one row ---

bool StepRowAccessible::isValid() const {
  return !grid_.isNull() && row_ >= 1 && row_ < grid_->RowCount();
}

QWindow* StepRowAccessible::window() const {
  return isValid() ? grid_->window()->windowHandle() : nullptr;
}

QAccessibleInterface* StepRowAccessible::parent() const {
  return isValid() ? QAccessible::queryAccessibleInterface(grid_.data()) : nullptr;
}

QString StepRowAccessible::text(QAccessible::Text t) const {
  if (!isValid() || (t != QAccessible::Name && t != QAccessible::Description)) return {};
  if (!grid_->RowText) return {};
  return t == QAccessible::Name  ? grid_->RowText(row_)
         : grid_->RowDescription ? grid_->RowDescription(row_)
                                 : QString();
}

QRect StepRowAccessible::rect() const {
  if (!isValid()) return {};
  const QRect first = grid_->CellRect(0, row_);
  const QRect last = grid_->CellRect(grid_->ColCount() - 1, row_);
  const QRect local(first.topLeft(), last.bottomRight());
  // A row scrolled out of the grid has no place on the screen.
  if (!grid_->viewport()->rect().intersects(local) || row_ < grid_->TopRow()) return {};
  return QRect(grid_->viewport()->mapToGlobal(local.topLeft()), local.size());
}

QAccessible::State StepRowAccessible::state() const {
  QAccessible::State state;
  state.selectable = true;
  if (!isValid()) {
    state.invalid = true;
    return state;
  }
  state.selected = row_ >= grid_->SelectionTop() && row_ <= grid_->SelectionBottom();
  state.invisible = rect().isEmpty();
  return state;
}

}  // namespace ui
