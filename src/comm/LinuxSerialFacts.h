#pragma once
// Gathers, read-only, the facts that the Linux serial diagnosis judges: who owns each port's
// device node, the user's groups, the running processes. Each reader takes its source as an
// argument so that tests hand it a fake tree.

#include <QString>
#include <QStringList>

#include "comm/LinuxSerialDiagnosis.h"

namespace comm {

// The device node of a port name: "ttyUSB0" -> "/dev/ttyUSB0"; paths stay as they are.
QString DevicePath(const QString& portName);

// The command names (the "comm" file) of every process under a /proc-like folder.
QStringList RunningProcessNames(const QString& procRoot = QStringLiteral("/proc"));

// The owning group of a device node and whether this process may read and write it.
DeviceAccess InspectDevice(const QString& path);

// The running user's name, the groups of this session and the groups of the account.
UserGroups CurrentUserGroups();

// Everything at once for the ports given (names or paths).
SerialSystemFacts GatherSerialFacts(const QStringList& ports, const QStringList& vanishedPorts = {});

}  // namespace comm
