#pragma once
// What the commands that talk to a robot share: --port NAME, --virtual-robot, the scan and
// the download with a text progress bar.

#include <QStringList>
#include <memory>
#include <string>
#include <vector>

#include "ConsoleDownloadUi.h"
#include "Interruption.h"
#include "comm/Session.h"
#include "sim/VirtualRobot.h"

namespace cli {

struct ModuleOptions {
  std::vector<std::string> Ports;  // every --port NAME; empty: every port (AUTO)
  bool VirtualRobot = false;  // --virtual-robot
  std::vector<std::string> Rest;
};

// Takes --port and --virtual-robot out of the arguments; false (after a message) on a bad one.
bool ParseModuleOptions(const std::string& command, const std::vector<std::string>& args, ModuleOptions& out);

// Starts the virtual robot when asked and puts its port in the list; null when not asked or
// when it could not start (a message says so, and ok is false).
std::unique_ptr<sim::VirtualRobot> StartVirtualRobot(const ModuleOptions& options, bool& ok);

// Builds the port list once for the command and applies every --port (a device path that
// exists joins the list); false (after a message listing the ports) when a named port does
// not exist.
bool ChoosePort(const std::string& command, const ModuleOptions& options, comm::Session& session);

// Compiles the program text and downloads it with a text progress bar; the exit status:
// 0 only when every packet was acknowledged, 130 or 143 after SIGINT or SIGTERM.
// After SIGINT or SIGTERM: ends the progress line, says so, and gives the exit status.
int Interrupted(ConsoleDownloadUi& ui, const InterruptionGuard& interruption);

int CompileAndDownload(const std::string& command, const ModuleOptions& options, const QStringList& programText);

}  // namespace cli
