#include "ui/PortBox.h"

namespace ui {

void PortBox::showPopup() {
  emit aboutToDropDown();
  QComboBox::showPopup();
}

void PortBox::SetPorts(const QString& autoText, const QStringList& ports, const QStringList& labels) {
  clear();
  addItem(autoText);
  for (qsizetype i = 0; i < ports.size(); ++i) addItem(labels.value(i, ports[i]), ports[i]);
}

QString PortBox::PortAt(int index) const {
  return index > 0 ? itemData(index).toString() : QString();
}

int PortBox::IndexOfPort(const QString& port) const {
  if (port.isEmpty()) return -1;
  return findData(port, Qt::UserRole, Qt::MatchExactly | Qt::MatchCaseSensitive);
}

}  // namespace ui
