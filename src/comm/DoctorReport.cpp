#include "comm/DoctorReport.h"

#include <QProcessEnvironment>

#include "comm/TextSource.h"

namespace comm {
namespace {

const QString kIndent = QStringLiteral("  ");
const QString kSeparator = QStringLiteral(" \u00b7 ");

QString OrUnset(const QString& value) {
  return value.isEmpty() ? Text(581) : value;
}

QString JoinOrNone(const QStringList& list) {
  return list.isEmpty() ? Text(567) : list.join(QStringLiteral(", "));
}

void AddPorts(const DoctorFacts& facts, QStringList& lines) {
  lines << Text(566);
  if (facts.Ports.empty()) lines << kIndent + Text(567);
  for (const PortEntry& port : facts.Ports) {
    QString line = kIndent + PortLabel(port.Name, port.Facts) + kSeparator + port.Access.Path;
    if (!port.Access.Group.isEmpty()) line += kSeparator + Text(568).arg(port.Access.Group);
    line += kSeparator + Text(port.Access.Accessible ? 569 : 570);
    lines << line;
  }
}

void AddGroups(const UserGroups& groups, QStringList& lines) {
  lines << Text(571).arg(OrUnset(groups.User));
  lines << Text(572).arg(JoinOrNone(groups.Session));
  lines << Text(573).arg(JoinOrNone(groups.Account));
}

void AddServices(const QStringList& processes, QStringList& lines) {
  lines << Text(574);
  for (const char* service : {kBrailleProcess, kModemManagerProcess}) {
    const QString name = QString::fromLatin1(service);
    lines << kIndent + name + QStringLiteral(": ") + Text(processes.contains(name) ? 575 : 576);
  }
}

void AddPlatform(const QtPlatformFacts& platform, QStringList& lines) {
  lines << Text(577);
  lines << kIndent + Text(578).arg(OrUnset(platform.Variable));
  lines << kIndent + Text(579).arg(OrUnset(platform.SessionType));
  lines << kIndent + QStringLiteral("DISPLAY: ") + OrUnset(platform.Display);
  lines << kIndent + QStringLiteral("WAYLAND_DISPLAY: ") + OrUnset(platform.WaylandDisplay);
  lines << kIndent + Text(580).arg(JoinOrNone(platform.Plugins));
}

// Without any display, only an explicitly chosen platform (offscreen, vnc, ...) can start.
bool NoScreen(const QtPlatformFacts& platform) {
  return platform.Variable.isEmpty() && platform.Display.isEmpty() && platform.WaylandDisplay.isEmpty();
}

void AddProblems(const DoctorFacts& facts, QStringList& lines) {
  SerialSystemFacts system = facts.System;
  system.Devices.clear();
  for (const PortEntry& port : facts.Ports) system.Devices.push_back(port.Access);
  QStringList problems;
  for (const Finding& finding : DiagnoseLinuxSerial(system))
    problems << kIndent + QStringLiteral("- ") + FindingText(finding, system.Groups.User);
  if (NoScreen(facts.Platform)) problems << kIndent + QStringLiteral("- ") + Text(584);
  if (problems.isEmpty()) {
    lines << Text(583);
    return;
  }
  lines << Text(582) << problems;
}

}  // namespace

QStringList DoctorReport(const DoctorFacts& facts) {
  QStringList lines;
  lines << Text(565) << QString();
  AddPorts(facts, lines);
  lines << QString();
  AddGroups(facts.System.Groups, lines);
  lines << QString();
  AddServices(facts.System.Processes, lines);
  lines << QString();
  AddPlatform(facts.Platform, lines);
  lines << QString();
  AddProblems(facts, lines);
  return lines;
}

QtPlatformFacts PlatformFromEnvironment(const QStringList& plugins) {
  const QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  QtPlatformFacts platform;
  platform.Variable = environment.value(QStringLiteral("QT_QPA_PLATFORM"));
  platform.SessionType = environment.value(QStringLiteral("XDG_SESSION_TYPE"));
  platform.Display = environment.value(QStringLiteral("DISPLAY"));
  platform.WaylandDisplay = environment.value(QStringLiteral("WAYLAND_DISPLAY"));
  platform.Plugins = plugins;
  return platform;
}

}  // namespace comm
