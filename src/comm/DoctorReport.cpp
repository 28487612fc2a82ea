#include "comm/DoctorReport.h"

#include <QProcessEnvironment>

#include "app/core/Texts.h"

namespace comm {
namespace {

const QString kIndent = QStringLiteral("  ");
const QString kSeparator = QStringLiteral(" \u00b7 ");

QString OrUnset(const QString& value) {
  return value.isEmpty() ? app::LoadText(581) : value;
}

QString JoinOrNone(const QStringList& list) {
  return list.isEmpty() ? app::LoadText(567) : list.join(QStringLiteral(", "));
}

void AddPorts(const DoctorFacts& facts, QStringList& lines) {
  lines << app::LoadText(566);
  if (facts.Ports.empty()) lines << kIndent + app::LoadText(567);
  for (const PortEntry& port : facts.Ports) {
    QString line = kIndent + PortLabel(port.Name, port.Facts) + kSeparator + port.Access.Path;
    if (!port.Access.Group.isEmpty()) line += kSeparator + app::LoadText(568).arg(port.Access.Group);
    line += kSeparator + app::LoadText(port.Access.Accessible ? 569 : 570);
    lines << line;
  }
}

void AddGroups(const UserGroups& groups, QStringList& lines) {
  lines << app::LoadText(571).arg(OrUnset(groups.User));
  lines << app::LoadText(572).arg(JoinOrNone(groups.Session));
  lines << app::LoadText(573).arg(JoinOrNone(groups.Account));
}

void AddServices(const QStringList& processes, QStringList& lines) {
  lines << app::LoadText(574);
  for (const char* service : {kBrailleProcess, kModemManagerProcess}) {
    const QString name = QString::fromLatin1(service);
    lines << kIndent + name + QStringLiteral(": ") + app::LoadText(processes.contains(name) ? 575 : 576);
  }
}

void AddPlatform(const QtPlatformFacts& platform, QStringList& lines) {
  lines << app::LoadText(577);
  lines << kIndent + app::LoadText(578).arg(OrUnset(platform.Variable));
  lines << kIndent + app::LoadText(579).arg(OrUnset(platform.SessionType));
  lines << kIndent + QStringLiteral("DISPLAY: ") + OrUnset(platform.Display);
  lines << kIndent + QStringLiteral("WAYLAND_DISPLAY: ") + OrUnset(platform.WaylandDisplay);
  lines << kIndent + app::LoadText(580).arg(JoinOrNone(platform.Plugins));
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
  if (NoScreen(facts.Platform)) problems << kIndent + QStringLiteral("- ") + app::LoadText(584);
  if (problems.isEmpty()) {
    lines << app::LoadText(583);
    return;
  }
  lines << app::LoadText(582) << problems;
}

}  // namespace

QStringList DoctorReport(const DoctorFacts& facts) {
  QStringList lines;
  lines << app::LoadText(565) << QString();
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
