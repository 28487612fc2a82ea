#include "comm/LinuxSerialFacts.h"

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <vector>

namespace comm {
namespace {

QString GroupName(gid_t gid) {
  std::vector<char> buffer(16384);
  group entry{};
  group* found = nullptr;
  if (getgrgid_r(gid, &entry, buffer.data(), buffer.size(), &found) != 0 || found == nullptr) return {};
  return QString::fromLocal8Bit(found->gr_name);
}

QStringList GroupNames(const std::vector<gid_t>& ids) {
  QStringList names;
  for (gid_t id : ids) {
    const QString name = GroupName(id);
    if (!name.isEmpty() && !names.contains(name)) names.append(name);
  }
  return names;
}

std::vector<gid_t> SessionGroupIds() {
  const int count = getgroups(0, nullptr);
  std::vector<gid_t> ids(count > 0 ? count : 0);
  if (count > 0 && getgroups(count, ids.data()) < 0) ids.clear();
  ids.push_back(getegid());
  return ids;
}

std::vector<gid_t> AccountGroupIds(const char* user, gid_t primary) {
  int count = 64;
  std::vector<gid_t> ids(count);
  if (getgrouplist(user, primary, ids.data(), &count) < 0) {
    ids.resize(count);  // count now says how many there are
    if (getgrouplist(user, primary, ids.data(), &count) < 0) return {primary};
  }
  ids.resize(count);
  return ids;
}

}  // namespace

QString DevicePath(const QString& portName) {
  return portName.startsWith(u'/') ? portName : QStringLiteral("/dev/") + portName;
}

QStringList RunningProcessNames(const QString& procRoot) {
  QStringList names;
  const QDir root(procRoot);
  for (const QString& entry : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
    bool numeric = false;
    entry.toLongLong(&numeric);
    if (!numeric) continue;
    QFile comm(root.filePath(entry + QStringLiteral("/comm")));
    // A process may end between the listing and the read; it is simply not counted.
    if (!comm.open(QIODevice::ReadOnly)) continue;
    const QString name = QString::fromLocal8Bit(comm.readAll()).trimmed();
    if (!name.isEmpty() && !names.contains(name)) names.append(name);
  }
  return names;
}

DeviceAccess InspectDevice(const QString& path) {
  DeviceAccess device;
  device.Path = path;
  const QByteArray native = QFile::encodeName(path);
  struct stat status {};
  if (stat(native.constData(), &status) == 0) device.Group = GroupName(status.st_gid);
  device.Accessible = access(native.constData(), R_OK | W_OK) == 0;
  return device;
}

UserGroups CurrentUserGroups() {
  UserGroups groups;
  std::vector<char> buffer(16384);
  passwd entry{};
  passwd* found = nullptr;
  groups.Session = GroupNames(SessionGroupIds());
  if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr) {
    groups.User = QString::fromLocal8Bit(found->pw_name);
    groups.Account = GroupNames(AccountGroupIds(found->pw_name, found->pw_gid));
  } else {
    groups.Account = groups.Session;
  }
  return groups;
}

SerialSystemFacts GatherSerialFacts(const QStringList& ports, const QStringList& vanishedPorts) {
  SerialSystemFacts facts;
  for (const QString& port : ports) facts.Devices.push_back(InspectDevice(DevicePath(port)));
  facts.Groups = CurrentUserGroups();
  facts.Processes = RunningProcessNames();
  facts.VanishedPorts = vanishedPorts;
  return facts;
}

}  // namespace comm
