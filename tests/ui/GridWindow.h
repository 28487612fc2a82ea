#pragma once
// A main window shown on the offscreen platform for the grid, slot and palette tests, with
// helpers that press, move and release the mouse where a user would.

#include <QApplication>
#include <QLocale>
#include <QMouseEvent>
#include <memory>

#include "actions/StepRecord.h"
#include "app/core/Global.h"
#include "ui/BotAction.h"
#include "ui/DraggerUnit.h"
#include "ui/MainWindow.h"
#include "ui/PictureButtons.h"
#include "actions/ActionKind.h"
#include "ui/StepArea.h"
#include "ui/StepGrid.h"

namespace gridtest {

struct GridWindow {
  explicit GridWindow(bool advanced) {
    app::Global().AdvancedMode = advanced;
    form = std::make_unique<ui::TMainForm>();
    form->ListPorts = [] { return QStringList(); };
    form->AskSaveQuestion = [](const QString&) { return QMessageBox::No; };
    form->EndApplication = [] {};
    form->show();
    QApplication::processEvents();
    steps()->Dragger()->FrameDelayMs = 0;
  }
  ~GridWindow() {
    form->hide();
    app::Global().AdvancedMode = false;
  }

  ui::StepArea* steps() const { return form->Steps; }
  actions::ActionLists& lists() const { return form->Lists; }
  ui::StepGrid* grid(int list) const { return form->Steps->Grid(list); }
  ui::TBotAction* slot(int list, int s) const { return form->Steps->Slot(list, s); }
  app::PictureSlot* tile(int kind) const {
    for (int s = 14; s <= 21; ++s)
      if (form->Pictures[s]->tag() == kind) return form->Pictures[s];
    return nullptr;
  }

  // Global point of the centre of a grid cell (row 0 is the header).
  QPoint cell(int list, int column, int row) const {
    return grid(list)->viewport()->mapToGlobal(grid(list)->CellRect(column, row).center());
  }

  // Steps added through the palette's double-click path.
  void append(int list, actions::ActionKind kind, int count = 1) {
    lists().CurrentList = list;
    for (int i = 0; i < count; ++i) steps()->ActionDblClick(static_cast<int>(kind));
  }

  // Mouse events sent to `target` at a global point, as the platform would deliver them.
  static void send(QWidget* target, QEvent::Type type, QPoint global, Qt::MouseButton button,
                   Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    const QPointF local = target->mapFromGlobal(global);
    QMouseEvent event(type, local, QPointF(global), button, buttons, modifiers);
    QApplication::sendEvent(target, &event);
  }

  // A palette drag: press on the tile's centre, move through `path`, release at the last point.
  void dragTile(int kind, std::initializer_list<QPoint> path) const {
    app::PictureSlot* t = tile(kind);
    const QPoint start = t->mapToGlobal(t->rect().center());
    send(t, QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
    QPoint last = start;
    for (QPoint p : path) {
      send(t, QEvent::MouseMove, p, Qt::NoButton, Qt::LeftButton);
      last = p;
    }
    send(t, QEvent::MouseButtonRelease, last, Qt::LeftButton, Qt::NoButton);
  }

  // Press on a grid point (global) and release there or at `releaseAt`.
  void clickGrid(int list, QPoint global, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const {
    QWidget* viewport = grid(list)->viewport();
    send(viewport, QEvent::MouseButtonPress, global, Qt::LeftButton, Qt::LeftButton, modifiers);
    send(viewport, QEvent::MouseButtonRelease, global, Qt::LeftButton, Qt::NoButton, modifiers);
  }

  std::unique_ptr<ui::TMainForm> form;
};

// "1,2 seg" or "1.2 seg", by the user's locale.
inline QString Seconds(int tenths) {
  return QString::number(tenths / 10) + QLocale::system().decimalPoint() + QString::number(tenths % 10) +
         QStringLiteral(" seg");
}

}  // namespace gridtest
