#include "comm/Session.h"

#include "app/core/Global.h"

namespace comm {

Session::Session(PortSlots& portSlots) : slots_(portSlots) {}

void Session::RefreshPortList() {
  if (enumerate) enumerate(PortList);
  else PortList.clear();
  portBox.Rebuild(PortList);
}

QString Session::SelectedPort() const { return app::Global().SelectedPort; }

void Session::SetSelectedPort(const QString& port) { app::Global().SelectedPort = port; }

void Session::RefreshDisplay(bool clearRows) {
  RefreshPortList();
  PortStatus.SetTitles();
  PortStatus.Lay(PortList, clearRows);
}

Session& TheSession() {
  static Session session;
  return session;
}

}  // namespace comm
