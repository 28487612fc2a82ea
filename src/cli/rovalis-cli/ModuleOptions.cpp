#include "ModuleOptions.h"

#include <QFileInfo>
#include <iostream>

#include "CliText.h"
#include "ConsoleDownloadUi.h"
#include "Interruption.h"
#include "app/core/Global.h"
#include "app/core/Texts.h"
#include "comm/Download.h"
#include "comm/ErrorReport.h"
#include "comm/Identify.h"
#include "tokenizer/Tokenizer.h"

namespace cli {

namespace {

// "Descarga completa: %1 paquetes confirmados.", "Interrumpido; el puerto queda cerrado."
constexpr int kDownloadCompleteText = 462;
constexpr int kInterruptedText = 465;
constexpr int kNone = 567;
constexpr int kPortNeedsName = 592;
constexpr int kRobotCannotStart = 593;  // reason
constexpr int kRobotOn = 594;           // device path
constexpr int kNoSuchPort = 595;        // name, the ports
constexpr int kRobotStored = 596;       // accepted, received, blocks

}  // namespace

int Interrupted(ConsoleDownloadUi& ui, const InterruptionGuard& interruption) {
  comm::SetErrorReporter({});
  ui.EndProgressLine();
  std::cerr << app::LoadText(kInterruptedText).toStdString() << std::endl;
  return interruption.exitStatus();
}

bool ParseModuleOptions(const std::string& command, const std::vector<std::string>& args,
                        ModuleOptions& out) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--virtual-robot") {
      out.VirtualRobot = true;
    } else if (arg == "--port") {
      if (i + 1 >= args.size()) {
        std::cerr << "rovalis-cli " << command << ": " << CliText(kPortNeedsName) << "\n";
        return false;
      }
      out.Ports.push_back(args[++i]);
    } else if (arg.starts_with("--port=")) {
      out.Ports.push_back(arg.substr(7));
    } else {
      out.Rest.push_back(arg);
    }
  }
  return true;
}

std::unique_ptr<sim::VirtualRobot> StartVirtualRobot(const ModuleOptions& options, bool& ok) {
  ok = true;
  if (!options.VirtualRobot) return nullptr;
  auto robot = std::make_unique<sim::VirtualRobot>();
  std::string error;
  if (!robot->Start(&error)) {
    std::cerr << "rovalis-cli: " << CliText(kRobotCannotStart, {Q(error)}) << "\n";
    ok = false;
    return nullptr;
  }
  comm::AddExtraPort(QString::fromStdString(robot->DevicePath()));
  std::cout << CliText(kRobotOn, {Q(robot->DevicePath())}) << std::endl;
  return robot;
}

bool ChoosePort(const std::string& command, const ModuleOptions& options, comm::Session& session) {
  // The system does not list pseudo-terminals (a rovalis-sim robot): a device path named
  // with --port joins the list.
  QStringList named;
  for (const std::string& port : options.Ports) {
    named << QString::fromStdString(port);
    if (named.back().startsWith(u'/') && QFileInfo::exists(named.back())) comm::AddExtraPort(named.back());
  }
  session.RefreshPortList();
  // Enumerated once per command: the scan and the download see this same list.
  const QStringList listed = session.PortList;
  session.enumerate = [listed](QStringList& list) { list = listed; };
  session.SetSelectedPort(QStringLiteral("AUTO"));
  session.ModuleNames = app::Global().ModuleNames;
  session.ChosenPorts.clear();
  for (const QString& name : named) {
    if (!listed.contains(name)) {
      const QString ports = listed.isEmpty() ? app::LoadText(kNone) : listed.join(u' ');
      std::cerr << "rovalis-cli " << command << ": " << CliText(kNoSuchPort, {name, ports}) << "\n";
      return false;
    }
    if (!session.ChosenPorts.contains(name)) session.ChosenPorts << name;
  }
  return true;
}

int CompileAndDownload(const std::string& command, const ModuleOptions& options,
                       const QStringList& programText) {
  bool started = true;
  auto robot = StartVirtualRobot(options, started);
  if (!started) return 1;
  comm::Session& session = comm::TheSession();
  if (!ChoosePort(command, options, session)) return 2;

  ConsoleDownloadUi ui(session, std::cout, std::cerr);
  comm::SetErrorReporter([&ui](const QString& text) { ui.ShowError(text); });
  auto tokenizer = std::make_unique<tok::Tokenizer>();
  comm::Downloader downloader(session, ui, tokenizer.get());
  {
    InterruptionGuard interruption(session.Cancelled);
    downloader.DownloadTokenization(false, programText);
    if (interruption.signal() != 0) return Interrupted(ui, interruption);
  }
  comm::SetErrorReporter({});

  if (ui.severalRobots()) return 1;
  if (!downloader.lastDownloadComplete()) return 1;
  std::cout << app::LoadText(kDownloadCompleteText).arg(session.ProgramPackets[0]).toStdString() << "\n";
  if (robot && robot->WaitForDownloads(1, 2000)) {
    const auto record = robot->lastDownload();
    std::cout << CliText(kRobotStored,
                         {QString::number(record.packetsAccepted), QString::number(record.packetsReceived),
                          QString::number(record.blocksWritten.count())})
              << "\n";
  }
  return 0;
}

}  // namespace cli
