#include "comm/Session.h"

#include "comm/LinkThread.h"

namespace comm {

Session::Session(PortSlots& portSlots) : slots_(portSlots) {}

Session::~Session() = default;

LinkThread& Session::Link() {
  if (!link_) link_ = std::make_unique<LinkThread>();
  return *link_;
}

void Session::RefreshPortList() {
  if (enumerate)
    enumerate(PortList);
  else
    PortList.clear();
  portBox.Rebuild(PortList);
}

bool Session::ScansPort(const QString& port) const {
  if (!ChosenPorts.isEmpty()) return ChosenPorts.contains(port);
  const QString selected = SelectedPort();
  return selected == QStringLiteral("AUTO") || port == selected;
}

void Session::RefreshDisplay(bool clearRows) {
  RefreshPortList();
  PortStatus.SetTitles();
  PortStatus.Lay(PortList, clearRows);
  if (clearRows || Findings.size() != std::size_t(PortList.size())) {
    Findings.assign(std::size_t(PortList.size()), PortFinding{});
    for (int i = 0; i < PortList.size(); ++i) Findings[std::size_t(i)].portName = PortList[i];
  }
}

Session& TheSession() {
  static Session session;
  return session;
}

}  // namespace comm
