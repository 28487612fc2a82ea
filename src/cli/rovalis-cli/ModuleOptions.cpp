#include "ModuleOptions.h"

#include <QFileInfo>

#include <iostream>

#include "comm/ConsoleDownloadUi.h"
#include "comm/Download.h"
#include "comm/ErrorReport.h"
#include "comm/Identify.h"
#include "tokenizer/Tokenizer.h"

namespace cli {

bool ParseModuleOptions(const std::string& command, const std::vector<std::string>& args, ModuleOptions& out) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--virtual-robot") {
      out.VirtualRobot = true;
    } else if (arg == "--port") {
      if (i + 1 >= args.size()) {
        std::cerr << "rovalis-cli " << command << ": --port needs a port name\n";
        return false;
      }
      out.Port = args[++i];
    } else if (arg.starts_with("--port=")) {
      out.Port = arg.substr(7);
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
    std::cerr << "rovalis-cli: the virtual robot cannot start: " << error << "\n";
    ok = false;
    return nullptr;
  }
  comm::AddExtraPort(QString::fromStdString(robot->DevicePath()));
  std::cout << "Virtual robot on " << robot->DevicePath() << std::endl;
  return robot;
}

bool ChoosePort(const std::string& command, const ModuleOptions& options, comm::Session& session) {
  // The system does not list pseudo-terminals (a rovalis-sim robot): a device path named
  // with --port joins the list.
  const QString named = QString::fromStdString(options.Port);
  if (named.startsWith(u'/') && QFileInfo::exists(named)) comm::AddExtraPort(named);
  session.RefreshPortList();
  if (options.Port.empty()) {
    session.SetSelectedPort(QStringLiteral("AUTO"));
    return true;
  }
  const QString name = QString::fromStdString(options.Port);
  if (!session.PortList.contains(name)) {
    std::cerr << "rovalis-cli " << command << ": no port " << options.Port << "; the ports are:";
    for (const QString& port : session.PortList) std::cerr << " " << port.toStdString();
    if (session.PortList.isEmpty()) std::cerr << " (none)";
    std::cerr << "\n";
    return false;
  }
  session.SetSelectedPort(session.portBox.SelectPort(name));
  return true;
}

int CompileAndDownload(const std::string& command, const ModuleOptions& options, const QStringList& programText) {
  bool started = true;
  auto robot = StartVirtualRobot(options, started);
  if (!started) return 1;
  comm::Session& session = comm::TheSession();
  if (!ChoosePort(command, options, session)) return 2;

  comm::ConsoleDownloadUi ui(session, std::cout, std::cerr);
  comm::SetErrorReporter([&ui](const QString& text) { ui.ShowError(text); });
  auto tokenizer = std::make_unique<tok::Tokenizer>();
  comm::Downloader downloader(session, ui, tokenizer.get());
  downloader.DownloadTokenization(false, programText);
  comm::SetErrorReporter({});

  if (ui.severalRobots()) return 1;
  if (!downloader.lastDownloadComplete()) return 1;
  std::cout << "Download complete: " << session.ProgramPackets[0] << " packets acknowledged.\n";
  if (robot && robot->WaitForDownloads(1, 2000)) {
    const auto record = robot->lastDownload();
    std::cout << "Virtual robot: " << record.packetsAccepted << " of " << record.packetsReceived
              << " packets stored, " << record.blocksWritten.count() << " EEPROM blocks written.\n";
  }
  return 0;
}

}  // namespace cli
