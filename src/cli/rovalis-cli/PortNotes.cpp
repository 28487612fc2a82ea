#include "PortNotes.h"

#include "comm/LinuxSerialFacts.h"
#include "comm/PortInfo.h"

namespace cli {

void PrintPortLabels(const QStringList& ports, std::ostream& out) {
  for (const QString& port : ports) {
    const comm::PortFacts facts = comm::LookUpPort(port);
    if (!comm::DescribePort(facts).isEmpty()) out << comm::PortLabel(port, facts).toStdString() << "\n";
  }
}

void PrintSerialFindings(const QStringList& ports, std::ostream& out) {
  const comm::SerialSystemFacts facts = comm::GatherSerialFacts(ports);
  for (const comm::Finding& finding : comm::DiagnoseLinuxSerial(facts))
    out << "\n" << comm::FindingText(finding, facts.Groups.User).toStdString() << "\n";
}

}  // namespace cli
