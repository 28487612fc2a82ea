#include "comm/PortInfo.h"

#include <QSerialPortInfo>

namespace comm {
namespace {

// USB strings come from the device itself: keep them on one line and free of terminal
// control characters before they reach a window or a console.
QString Clean(const QString& text) {
  QString cleaned;
  cleaned.reserve(text.size());
  for (const QChar c : text) cleaned.append(c.category() == QChar::Other_Control ? QChar(u' ') : c);
  cleaned = cleaned.simplified();
  // Some drivers report a placeholder instead of nothing.
  if (cleaned.compare(u"n/a", Qt::CaseInsensitive) == 0) return {};
  return cleaned;
}

}  // namespace

PortFacts FactsOf(const QSerialPortInfo& info) {
  return {info.description(), info.manufacturer(), info.serialNumber()};
}

PortFacts LookUpPort(const QString& name) {
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
    if (info.portName() == name || info.systemLocation() == name) return FactsOf(info);
  }
  return {};
}

QStringList PortLabels(const QStringList& names) {
  const QList<QSerialPortInfo> available = QSerialPortInfo::availablePorts();
  QStringList labels;
  for (const QString& name : names) {
    PortFacts facts;
    for (const QSerialPortInfo& info : available) {
      if (info.portName() == name || info.systemLocation() == name) facts = FactsOf(info);
    }
    labels << PortLabel(name, facts);
  }
  return labels;
}

QString DescribePort(const PortFacts& facts) {
  const QString description = Clean(facts.Description);
  const QString manufacturer = Clean(facts.Manufacturer);
  const QString serial = Clean(facts.SerialNumber);
  QString text = description;
  if (!manufacturer.isEmpty() && !description.contains(manufacturer, Qt::CaseInsensitive))
    text = text.isEmpty() ? manufacturer : text + QStringLiteral(", ") + manufacturer;
  if (!serial.isEmpty()) text = text.isEmpty() ? serial : text + QStringLiteral(" (") + serial + u')';
  return text;
}

QString PortLabel(const QString& name, const PortFacts& facts) {
  const QString description = DescribePort(facts);
  if (description.isEmpty()) return name;
  return name + QStringLiteral(" \u2014 ") + description;
}

}  // namespace comm
