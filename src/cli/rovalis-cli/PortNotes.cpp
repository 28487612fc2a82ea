#include "PortNotes.h"

#include "comm/LinuxSerialFacts.h"
#include "comm/PortInfo.h"
#include "comm/SerialNotices.h"

namespace cli {

void PrintPortLabels(const QStringList& ports, std::ostream& out) {
  const QStringList labels = comm::PortLabels(ports);
  for (qsizetype i = 0; i < ports.size(); ++i) {
    if (labels.value(i) != ports[i]) out << labels.value(i).toStdString() << "\n";
  }
}

void PrintSerialFindings(const QStringList& ports, std::ostream& out) {
  comm::SerialNotices notices;
  for (const QString& text : notices.Fresh(comm::GatherSerialFacts(ports)))
    out << "\n" << text.toStdString() << "\n";
}

}  // namespace cli
