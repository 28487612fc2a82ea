#pragma once
// What a screen reader finds in a step grid: the grid as a table whose children are, after its
// own widgets, one row per step and the empty row where the next step goes, each named by the
// list model ("Paso 3: avanzar 1,5 segundos").

#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>

namespace ui {

class StepGrid;

class StepGridAccessible : public QAccessibleWidget {
 public:
  explicit StepGridAccessible(StepGrid* grid);
  ~StepGridAccessible() override;

  int childCount() const override;
  QAccessibleInterface* child(int index) const override;
  int indexOfChild(const QAccessibleInterface* child) const override;

  // Installs the factory that gives every StepGrid this interface; once per program.
  static void Install();

 private:
  StepGrid* Grid() const;
  int WidgetChildCount() const { return QAccessibleWidget::childCount(); }

  mutable QHash<int, QAccessible::Id> rows_;  // grid row -> its registered interface
};

// One row of a step grid: rows 1..steps, and the empty row after them.
class StepRowAccessible : public QAccessibleInterface {
 public:
  StepRowAccessible(StepGrid* grid, int row) : grid_(grid), row_(row) {}

  bool isValid() const override;
  QObject* object() const override { return nullptr; }
  QWindow* window() const override;
  QAccessibleInterface* parent() const override;
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QString text(QAccessible::Text t) const override;
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override;
  QAccessible::Role role() const override { return QAccessible::Row; }
  QAccessible::State state() const override;

  int Row() const { return row_; }

 private:
  QPointer<StepGrid> grid_;
  int row_;
};

}  // namespace ui
