// rovalis-cli ports: scans the serial ports as the progress window does and prints the port
// status table.

#include <iostream>

#include "Command.h"
#include "ConsoleDownloadUi.h"
#include "ModuleOptions.h"
#include "PortNotes.h"
#include "comm/Identify.h"
#include "comm/PortScanner.h"

namespace {

int RunPorts(const std::vector<std::string>& args) {
  cli::ModuleOptions options;
  if (!cli::ParseModuleOptions("ports", args, options)) return 2;
  if (!options.Rest.empty()) {
    std::cerr << "rovalis-cli ports: unexpected argument '" << options.Rest[0] << "' (try --help)\n";
    return 2;
  }
  bool started = true;
  auto robot = cli::StartVirtualRobot(options, started);
  if (!started) return 1;

  comm::Session& session = comm::TheSession();
  if (!cli::ChoosePort("ports", options, session)) return 2;
  // Scanned as a download would: module names appear for the type a download looks for.
  session.DownloadModule = comm::kVD2;
  session.RefreshDisplay(true);
  cli::PrintPortLabels(session.PortList, std::cout);
  cli::ConsoleDownloadUi ui(session, std::cout, std::cerr);
  {
    cli::InterruptionGuard interruption(session.Cancelled);
    comm::ScanPorts(session, ui);
    if (interruption.signal() != 0) return cli::Interrupted(ui, interruption);
  }
  cli::PrintPortTable(session, std::cout);
  cli::PrintSerialFindings(session.PortList, std::cout);
  return 0;
}

const cli::CommandRegistration kPorts(
    "ports", "ports [--port NAME]... [--virtual-robot]",
    "Scans the serial ports for robots (at most four at once) and prints what answered on each; "
    "--port scans only the ports named (give it once per port), --virtual-robot adds a virtual robot's port.",
    RunPorts);

}  // namespace
