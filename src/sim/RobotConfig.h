#pragma once
// What kind of module the virtual robot pretends to be, and how it misbehaves.

#include <cstdint>

#include "protocol/RobotProtocol.h"

namespace sim {

// The module types the virtual robot can be.
using protocol::kVD2;
using protocol::kVD2E;
using protocol::kVD2P;
using protocol::kVD2SX;

enum class FaultKind {
  None,
  NoAnswer,              // a dead port: no echo, no reply, nothing at all
  WrongEcho,             // every echoed byte comes back altered
  StatusTwoAt,           // packet `packet` is answered with status 2 (EEPROM verify error)
  GarbageAt,             // packet `packet` is answered with a status byte that means nothing
  SilentAfter,           // after the status of packet `packet` the module never sends again
  StrayAfterEcho,        // a stray 0x00 after the echo of packet `packet`, then status 2 for it
  LateStatusAt,          // the status of packet `packet` comes lateStatusMs after its echo
  EchoByteWrongAt,       // one byte of the echo of packet `packet` comes back altered
  HangUpAfterHandshake,  // the line closes at the first byte after a complete handshake
};

struct Fault {
  FaultKind kind = FaultKind::None;
  int packet = 0;  // 1-based packet number within one download
};

struct RobotConfig {
  int moduleType = kVD2;
  // VD2: the byte sent after the closing zero of the handshake (0x10 reads as v1.0).
  std::uint8_t versionByte = 0x10;
  // VD2SX (0..2) and VD2P (0..6): the minor version carried in the reply byte.
  int minorVersion = 0;
  // VD2P: 40 or 24 pins; the 24-pin package sets bit 5 of its reply.
  int pinCount = 40;
  // The answer byte of the test exchange (bit 0 left infrared, bit 1 right, ...).
  std::uint8_t sensorByte = 0;
  // Pace every byte at 9600 baud 8N1 (about 1.04 ms per byte) instead of answering at once.
  bool byteTiming = false;
  // A silence at least this long before an identification byte counts as a reset, because a
  // pseudo-terminal carries neither DTR nor BREAK.
  int resetPauseMs = 40;
  Fault fault;
  // LateStatusAt: how late the status comes, well past the PC's wait for it.
  int lateStatusMs = 400;
  // After a download the module runs the image on the virtual robot (its body and arena), so
  // the test exchange is answered by the downloaded program instead of `sensorByte`.
  bool runProgram = false;
  // ... as fast as it goes instead of in real time (tests).
  bool fastProgram = false;
};

// Wire time of one byte at 9600 baud with start and stop bit, in microseconds.
inline constexpr int kByteTimeUs = protocol::kByteTimeUs;

}  // namespace sim
