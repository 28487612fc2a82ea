#include "comm/Ports.h"

#include <QSerialPortInfo>
#include <algorithm>
#include <mutex>

#include "comm/TextSource.h"

namespace comm {
namespace {
std::mutex extraLock;
QStringList& Extra() {
  static QStringList extra;
  return extra;
}
}  // namespace

void AddExtraPort(const QString& name) {
  std::lock_guard lock(extraLock);
  if (!Extra().contains(name)) Extra().append(name);
}

void RemoveExtraPort(const QString& name) {
  std::lock_guard lock(extraLock);
  Extra().removeAll(name);
}

QStringList ExtraPorts() {
  std::lock_guard lock(extraLock);
  return Extra();
}

void EnumeratePorts(QStringList& list) {
  list.clear();
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) list.append(info.portName());
  std::sort(list.begin(), list.end());
  for (const QString& extra : ExtraPorts()) {
    if (!list.contains(extra)) list.append(extra);
  }
}

PortBox::PortBox() {
  Rebuild({});
}

void PortBox::SetCurrentIndex(int index) {
  current_ = (index >= 0 && index < model_.rowCount()) ? index : -1;
}

QString PortBox::currentText() const {
  return current_ >= 0 ? model_.stringList().value(current_) : QString();
}

void PortBox::Rebuild(const QStringList& ports) {
  const QString previous = currentText();
  QStringList items = ports;
  items.prepend(Text(379));
  model_.setStringList(items);
  current_ = -1;
  SelectPort(previous);
}

QString PortBox::SelectPort(const QString& name) {
  const int index = model_.stringList().indexOf(name);
  current_ = index >= 0 ? index : 0;
  return PortBoxChoice();
}

QString PortBox::PortBoxChoice() const {
  if (current_ < 1) return QStringLiteral("AUTO");
  return currentText();
}

}  // namespace comm
