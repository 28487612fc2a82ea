#pragma once
#include <QComboBox>
#include <QStringList>

namespace ui {

// The port box: a drop-down list that says when it is about to drop down, so that the port
// list can be refreshed first. Each port shows what the system knows of its adapter beside
// its name; the item's data keeps the bare port name, which is what is chosen and stored.
class PortBox : public QComboBox {
  Q_OBJECT
 public:
  using QComboBox::QComboBox;
  void showPopup() override;

  // Item 0 shows autoText; items 1.. the labels, one per port, with the ports as data.
  void SetPorts(const QString& autoText, const QStringList& ports, const QStringList& labels);
  // The port name of an item (empty for item 0 and out of range).
  QString PortAt(int index) const;
  // The item of a port name; -1 when absent.
  int IndexOfPort(const QString& port) const;

 signals:
  void aboutToDropDown();
};

}  // namespace ui
