#pragma once
// The identification handshake with a module on an open port: a reset pulse, then the
// exchange of identification bytes of one module type.

#include <QString>

#include <cstdint>

#include "comm/Serial.h"

namespace comm {

// Module types, the same numbers everywhere.
enum ModuleKind : std::uint8_t { kNoModule = 0, kVD1 = 1, kVD2 = 2, kVD2E = 3, kVD2SX = 4, kVD2P = 5, kVD2PE = 6 };

struct IdentifyResult {
  QString DeviceText;
  QString VersionText;
  QString EchoText;
  bool Echo = true;
  std::uint8_t ModuleType = kNoModule;
};

// Runs the handshake for module type 2..5 on `port`. The device text names the module only
// when its type is `downloadModule`.
bool Identify(TSerial& port, int type, std::uint8_t downloadModule, IdentifyResult& result);

// The reset pulse: DTR high and BREAK on, 2 ms, DTR low, 50 ms, BREAK off, 15 ms, input emptied.
void ResetPulse(TSerial& port);

}  // namespace comm
