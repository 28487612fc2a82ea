#pragma once
// What the scan found on one port, as values. The port status table shows it in words; the
// download takes its decisions from these values only.

#include <QString>
#include <cstdint>

#include "comm/DownloadOutcome.h"
#include "protocol/RobotProtocol.h"

namespace comm {

struct PortFinding {
  QString portName;
  bool scanned = false;   // false: not scanned (another port was chosen) or not yet reported
  bool loopback = false;  // DSR follows RTS
  bool echo = false;      // the first identification byte came back
  std::uint8_t moduleType = protocol::kNoModule;
  // The version as the module reports it, e.g. "v1.0"; empty when nothing answered.
  QString version;
  OpenErrorKind openError = OpenErrorKind::None;
};

}  // namespace comm
