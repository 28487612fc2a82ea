#pragma once
// The whole check of the system that a teacher reads or pastes when the robot is not found:
// the serial ports with their adapters and owners, the user's groups, the services that get
// in the way, the Qt platform, and what is wrong with the usual remedies. Texts from the
// text table.

#include <QString>
#include <QStringList>
#include <vector>

#include "comm/LinuxSerialDiagnosis.h"
#include "comm/PortInfo.h"

namespace comm {

struct PortEntry {
  QString Name;  // as the port list shows it
  PortFacts Facts;
  DeviceAccess Access;
};

struct QtPlatformFacts {
  QString Variable;        // QT_QPA_PLATFORM; empty when not set
  QString SessionType;     // XDG_SESSION_TYPE
  QString Display;         // DISPLAY
  QString WaylandDisplay;  // WAYLAND_DISPLAY
  QStringList Plugins;     // the platform plugins Qt can load
};

struct DoctorFacts {
  std::vector<PortEntry> Ports;
  SerialSystemFacts System;  // Devices are taken from Ports
  QtPlatformFacts Platform;
};

// The report, one line per element of the list, ready to print.
QStringList DoctorReport(const DoctorFacts& facts);

// The environment's part of the Qt platform facts; the plugins are the caller's.
QtPlatformFacts PlatformFromEnvironment(const QStringList& plugins);

}  // namespace comm
