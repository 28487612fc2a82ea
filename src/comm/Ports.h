#pragma once
// Port discovery and the port box: which serial ports exist, and which one the user chose.

#include <QStringList>
#include <QStringListModel>

namespace comm {

// The system's serial ports in a stable order (sorted by name), followed by the extra ports
// (for example the virtual robot's pseudo-terminal) that are not already listed.
void EnumeratePorts(QStringList& list);

// Extra ports that the system does not list itself; added by --virtual-robot.
void AddExtraPort(const QString& name);
void RemoveExtraPort(const QString& name);
QStringList ExtraPorts();

// The main window's port box: item 0 is "AUTO" (text 379), then the ports in order. The GUI
// shows model() in its drop-down list and keeps currentIndex() in step with it.
class PortBox {
 public:
  PortBox();
  QStringListModel* model() { return &model_; }
  int currentIndex() const { return current_; }
  void SetCurrentIndex(int index);
  QString currentText() const;

  // Rebuilds the items from the ports and selects the previous text again, or "AUTO".
  void Rebuild(const QStringList& ports);
  // Selects the item equal to `name`, or item 0 when there is none; returns PortBoxChoice().
  QString SelectPort(const QString& name);
  // "AUTO" (the literal) when item 0 or nothing is selected, else the selected item's text.
  QString PortBoxChoice() const;

 private:
  QStringListModel model_;
  int current_ = -1;
};

}  // namespace comm
