// rovalis-cli doctor: prints the whole check of the system for the serial link (ports and
// their adapters, the user's groups, the services that get in the way, the Qt platform) for
// a teacher to read or paste. Reads only; changes nothing.

#include <QDir>
#include <QElapsedTimer>
#include <QLibraryInfo>
#include <QThread>
#include <iostream>

#include "Command.h"
#include "comm/DoctorReport.h"
#include "comm/LinuxSerialFacts.h"
#include "comm/PortWatch.h"
#include "comm/Ports.h"

namespace {

constexpr int kWatchStepMs = 250;

QStringList PlatformPlugins() {
  const QDir folder(QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/platforms"));
  QStringList plugins;
  for (QString file : folder.entryList({QStringLiteral("libq*.so")}, QDir::Files, QDir::Name)) {
    plugins << file.mid(4, file.size() - 7);  // libqxcb.so -> xcb
  }
  return plugins;
}

// Enumerates the ports for a while, so that an adapter taken away right after it appeared
// (plugged in during the wait) is caught in the act.
QStringList WatchPorts(int seconds, QStringList& vanished) {
  comm::PortWatch watch;
  QElapsedTimer clock;
  clock.start();
  QStringList ports;
  do {
    comm::EnumeratePorts(ports);
    vanished << watch.Observe(ports, clock.elapsed());
    if (clock.elapsed() >= seconds * 1000) break;
    QThread::msleep(kWatchStepMs);
  } while (true);
  return ports;
}

bool ParseWatch(const std::vector<std::string>& args, int& seconds) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    bool ok = false;
    if (args[i] == "--watch" && i + 1 < args.size()) {
      seconds = QString::fromStdString(args[++i]).toInt(&ok);
    }
    if (!ok || seconds < 0 || seconds > 600) {
      std::cerr << "rovalis-cli doctor: unexpected argument '" << args[i] << "' (try --help)\n";
      return false;
    }
  }
  return true;
}

int RunDoctor(const std::vector<std::string>& args) {
  int seconds = 2;
  if (!ParseWatch(args, seconds)) return 2;
  QStringList vanished;
  const QStringList ports = WatchPorts(seconds, vanished);
  comm::DoctorFacts facts;
  for (const QString& name : ports)
    facts.Ports.push_back({name, comm::LookUpPort(name), comm::InspectDevice(comm::DevicePath(name))});
  facts.System = comm::GatherSerialFacts({}, vanished);
  facts.Platform = comm::PlatformFromEnvironment(PlatformPlugins());
  for (const QString& line : comm::DoctorReport(facts)) std::cout << line.toStdString() << "\n";
  return 0;
}

const cli::CommandRegistration kDoctor(
    "doctor", "doctor [--watch SECONDS]",
    "Checks what keeps a robot from being found on this system (ports, groups, services, the Qt "
    "platform) and prints the usual remedies; watches the ports for SECONDS (default 2) first. "
    "Changes nothing.",
    RunDoctor);

}  // namespace
