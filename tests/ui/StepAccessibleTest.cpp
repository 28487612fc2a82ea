// What a screen reader hears in the main window: the step slots, their value editors, the
// palette tiles and the "+" tile are named from the list models and the text sets.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QTabBar>

#include "GridWindow.h"
#include "app/PictureSlot.h"
#include "app/core/Texts.h"

namespace {
using actions::ActionKind;
using gridtest::GridWindow;

// "1,2" or "1.2", as the editors show tenths in the user's locale.
QString Tenths(int tenths) {
  return QString::number(tenths / 10) + QLocale::system().decimalPoint() + QString::number(tenths % 10);
}

QString AccessibleName(QObject* object) {
  QAccessibleInterface* face = QAccessible::queryAccessibleInterface(object);
  return face != nullptr ? face->text(QAccessible::Name) : QString();
}

TEST(StepAccessibleTest, SlotsAndEditorsAreNamedAfterTheirSteps) {
  GridWindow w(false);
  w.append(1, ActionKind::Forward);
  w.append(1, ActionKind::GoToStep);
  struct Case {
    int slot;
    QString icon;
    QString editor;
  };
  const Case cases[] = {
      {1, QStringLiteral("Paso 1: avanzar %1 segundos").arg(Tenths(12)), QStringLiteral("Valor del paso 1")},
      {2, QStringLiteral("Paso 2: volver al paso 1"), QStringLiteral("Valor del paso 2")},
  };
  for (const Case& c : cases) {
    ui::TBotAction* slot = w.slot(1, c.slot);
    EXPECT_EQ(slot->Icon->accessibleName(), c.icon);
    EXPECT_EQ(AccessibleName(slot->SpinEdit->Edit()), c.editor);
    EXPECT_EQ(slot->SpinEdit->Edit()->accessibleDescription(), c.icon);
  }
  // A value changed through the model is heard at once.
  ui::StepListModel* model = w.steps()->Model(1);
  model->setData(model->StepIndex(1), 25);
  EXPECT_EQ(w.slot(1, 1)->Icon->accessibleName(),
            QStringLiteral("Paso 1: avanzar %1 segundos").arg(Tenths(25)));
  EXPECT_EQ(w.slot(1, 1)->SpinEdit->Text(), gridtest::Seconds(25));
}

// The row children of a grid's accessible interface, by their names.
QStringList RowNames(ui::StepGrid* grid) {
  QAccessibleInterface* table = QAccessible::queryAccessibleInterface(grid);
  QStringList names;
  for (int i = 0; table != nullptr && i < table->childCount(); ++i)
    if (QAccessibleInterface* row = table->child(i); row != nullptr && row->role() == QAccessible::Row) {
      names << row->text(QAccessible::Name);
      EXPECT_EQ(table->indexOfChild(row), i);
      EXPECT_EQ(row->parent(), table);
    }
  return names;
}

TEST(StepAccessibleTest, GridRowsAreReadAsSentences) {
  GridWindow w(true);
  w.append(1, ActionKind::Forward);
  w.append(1, ActionKind::RotateRight);
  w.append(1, ActionKind::GoToStep);
  ui::StepGrid* grid = w.grid(1);
  EXPECT_EQ(QAccessible::queryAccessibleInterface(grid)->text(QAccessible::Name), app::LoadText(512));
  EXPECT_EQ(RowNames(grid), QStringList({QStringLiteral("Paso 1: avanzar %1 segundos").arg(Tenths(12)),
                                         QStringLiteral("Paso 2: rotar derecha %1 segundos").arg(Tenths(15)),
                                         QStringLiteral("Paso 3: volver al paso 1"),
                                         QStringLiteral("Paso 4: vacío, aquí se añade el siguiente paso")}));
  // The rows follow the list: a deleted step is gone from what is read.
  grid->SelectRows(2, 2);
  w.form->ToDoListKeyDown(Qt::Key_Delete, Qt::NoModifier);
  EXPECT_EQ(RowNames(grid).size(), 3);
  EXPECT_EQ(RowNames(grid).at(1), QStringLiteral("Paso 2: volver al paso 1"));
  // The selected row says so, and the sets are told on request.
  QAccessibleInterface* table = QAccessible::queryAccessibleInterface(grid);
  grid->SelectRows(1, 1);
  QAccessibleInterface* first = table->child(table->childCount() - 3);
  ASSERT_NE(first, nullptr);
  EXPECT_TRUE(first->state().selected);
  EXPECT_EQ(first->text(QAccessible::Description),
            QStringLiteral("Sensores: ambos Todos, izquierdo Todos, derecho Todos"));
  EXPECT_FALSE(table->child(table->childCount() - 2)->state().selected);
}

TEST(StepAccessibleTest, TilesSayTheirActionAndThePlusTileItsSet) {
  GridWindow w(true);
  const char* names[] = {"Avanzar",         "Retroceder",    "Girar Izquierda", "Girar Derecha",
                         "Rotar Izquierda", "Rotar Derecha", "Parar y esperar", "Volver al paso"};
  for (int kind = 0; kind < actions::kKindCount; ++kind) {
    app::PictureSlot* tile = w.tile(kind);
    ASSERT_NE(tile, nullptr);
    EXPECT_EQ(AccessibleName(tile), QString::fromUtf8(names[kind]));
    EXPECT_EQ(tile->accessibleDescription(), app::LoadText(607));
  }
  for (int tab : {0, 2, 4}) {
    w.form->SensorTabs->setCurrentIndex(tab);
    EXPECT_EQ(w.form->SensorActionPanel->accessibleName(), app::LoadText(608).arg(app::LoadText(406 + tab)));
  }
}

}  // namespace
