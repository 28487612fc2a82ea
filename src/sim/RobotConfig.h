#pragma once
// What kind of module the virtual robot pretends to be, and how it misbehaves.

#include <cstdint>

namespace sim {

// Module types as numbered everywhere in the system.
enum ModuleType : int { kVD2 = 2, kVD2E = 3, kVD2SX = 4, kVD2P = 5 };

enum class FaultKind {
  None,
  NoAnswer,       // a dead port: no echo, no reply, nothing at all
  WrongEcho,      // every echoed byte comes back altered
  StatusTwoAt,    // packet `packet` is answered with status 2 (EEPROM verify error)
  GarbageAt,      // packet `packet` is answered with a status byte that means nothing
  SilentAfter,    // after the status of packet `packet` the module never sends again
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
  // After a download the module runs the image on the virtual robot (its body and arena), so
  // the test exchange is answered by the downloaded program instead of `sensorByte`.
  bool runProgram = false;
  // ... as fast as it goes instead of in real time (tests).
  bool fastProgram = false;
};

// Wire time of one byte at 9600 baud with start and stop bit, in microseconds.
inline constexpr int kByteTimeUs = 10'000'000 / 9600;

}  // namespace sim
