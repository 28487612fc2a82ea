#pragma once
// The wire facts of the robot module, shared by the compiler (packet size, module types), the
// serial layer (handshake, time-outs, reset pulse) and the virtual robot (the other side of
// the same exchange). Changing a value here changes the bytes or the timing on the wire.

#include <array>
#include <cstdint>
#include <string_view>

namespace protocol {

// Module types, numbered as the compiler's target directive and the port table know them.
enum ModuleType : std::uint8_t {
  kNoModule = 0,
  kVD1 = 1,
  kVD2 = 2,
  kVD2E = 3,
  kVD2SX = 4,
  kVD2P = 5,
  kVD2PE = 6,
};
inline constexpr int kModuleTypeCount = 7;

// Short names of the module types, for tools and logs.
inline constexpr std::array<std::string_view, kModuleTypeCount> kModuleTypeNames = {
    "none", "VD1", "VD2", "VD2E", "VD2SX", "VD2P", "VD2PE"};

// The version text that a module of each type 0..5 must report before a download.
inline constexpr std::array<std::string_view, 6> kRequiredVersions = {"",     "v0.0", "v1.0",
                                                                      "v1.0", "v1.0", "v1.2"};

// Download packets: block address byte (bit 7 set), 16 EEPROM bytes, checksum.
inline constexpr int kPacketSize = 18;
inline constexpr int kPacketLimit = 128;
inline constexpr int kEepromSize = 2048;
inline constexpr int kBlockSize = 16;

// Identification: a VD2 answers "VD2" byte by byte with 256 - byte, then a zero brings its
// version byte; the other types answer one identification byte with their reply.
inline constexpr std::array<std::uint8_t, 3> kVD2Handshake = {0x56, 0x44, 0x32};  // "VD2"
inline constexpr std::uint8_t kVD2EByte = 0x65;                                   // "e"
inline constexpr std::uint8_t kVD2SXByte = 0x58;                                  // "X"
inline constexpr std::uint8_t kVD2PByte = 0x50;                                   // "P"
// The VD2P's reply has this bit set for the 24-pin package.
inline constexpr std::uint8_t kVD2PPinBit = 0x20;

// Status byte after each packet.
inline constexpr std::uint8_t kStatusGood = 0;
inline constexpr std::uint8_t kStatusVerifyError = 2;
// The byte that ends a download (an address byte always has bit 7 set).
inline constexpr std::uint8_t kEndOfDownload = 0;

// Test exchange after the test program is running: four command bytes, one sensor byte.
inline constexpr int kTestCommandSize = 4;
// Its time-outs: the command out, its echo back, then the sensor byte; one exchange every 10 ms.
inline constexpr int kTestWriteTimeoutMs = 10;
inline constexpr int kTestEchoTimeoutMs = 100;
inline constexpr int kTestAnswerTimeoutMs = 200;
inline constexpr int kTestExchangePeriodMs = 10;

// Line settings: 9600 baud, 8 data bits, no parity, one stop bit.
inline constexpr int kBaudRate = 9600;
inline constexpr int kDataBits = 8;
// Wire time of one byte with start and stop bit, in microseconds.
inline constexpr int kByteTimeUs = 10'000'000 / kBaudRate;

// Time-outs of the PC side, in milliseconds.
inline constexpr int kWriteTimeoutMs = 1000;
inline constexpr int kFirstEchoTimeoutMs = 340;
inline constexpr int kReplyTimeoutMs = 240;
inline constexpr int kPacketEchoTimeoutMs = 1000;
inline constexpr int kStatusTimeoutMs = 240;
inline constexpr int kProgramNumberEchoTimeoutMs = 240;
// After the last status byte the line must stay quiet this long; anything that still arrives
// means the PC and the module counted the bytes differently.
inline constexpr int kTrailingQuietMs = 5;

// The reset pulse: DTR high and BREAK on, 2 ms, DTR low, 50 ms, BREAK off, 15 ms, input emptied.
inline constexpr int kResetDtrMs = 2;
inline constexpr int kResetBreakMs = 50;
inline constexpr int kResetSettleMs = 15;
// The loopback test waits this long after each RTS change before reading DSR.
inline constexpr int kLoopbackSettleMs = 2;

}  // namespace protocol
