#pragma once
// The identification handshake with a module on an open port: a reset pulse, then the
// exchange of identification bytes of one module type.

#include <QString>
#include <cstdint>

#include "comm/Serial.h"
#include "protocol/RobotProtocol.h"

namespace comm {

// Module types, as the wire numbers them.
using ModuleKind = protocol::ModuleType;
using protocol::kNoModule;
using protocol::kVD1;
using protocol::kVD2;
using protocol::kVD2E;
using protocol::kVD2P;
using protocol::kVD2PE;
using protocol::kVD2SX;

struct IdentifyResult {
  QString DeviceText;
  QString VersionText;
  QString EchoText;
  bool Echo = true;
  std::uint8_t ModuleType = kNoModule;
};

// Runs the handshake for module type 2..5 on `port`. The device text is `moduleName` (the
// caller's name for the download's module) only when the module's type is `downloadModule`.
bool Identify(TSerial& port, int type, std::uint8_t downloadModule, const QString& moduleName,
              IdentifyResult& result);

// Sleeps the calling thread (the protocol's waits never spin the processor).
void SleepMs(int milliseconds);

// The reset pulse: DTR high and BREAK on, 2 ms, DTR low, 50 ms, BREAK off, 15 ms, input emptied.
void ResetPulse(TSerial& port);

}  // namespace comm
