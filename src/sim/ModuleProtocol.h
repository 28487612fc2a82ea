#pragma once
// The module's side of the wire protocol, byte by byte and without any input/output: the
// identification handshakes, the download packets with their status byte, and the test
// exchange afterwards. VirtualRobot feeds it from a pseudo-terminal; tests feed it directly.

#include <array>
#include <bitset>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "sim/RobotConfig.h"

namespace sim {

inline constexpr int kEepromSize = protocol::kEepromSize;
inline constexpr int kPacketSize = protocol::kPacketSize;
inline constexpr int kBlockCount = kEepromSize / protocol::kBlockSize;
inline constexpr int kCommandSize = protocol::kTestCommandSize;

using Eeprom = std::array<std::uint8_t, kEepromSize>;
using TestCommand = std::array<std::uint8_t, kCommandSize>;

// What one download left behind; handed to the download hook when the closing zero arrives.
struct DownloadRecord {
  Eeprom eeprom{};
  std::bitset<kBlockCount> blocksWritten;  // blocks stored by this download
  int packetsReceived = 0;
  int packetsAccepted = 0;
  bool allAccepted() const { return packetsReceived > 0 && packetsAccepted == packetsReceived; }
};

class ModuleProtocol {
 public:
  enum class State { Idle, Handshake, ProgramNumber, Download, Running, Silent };

  // Answers the 4-byte test command; no value means the module stays quiet after the echo.
  using CommandHandler = std::function<std::optional<std::uint8_t>(const TestCommand&)>;
  using DownloadHook = std::function<void(const DownloadRecord&)>;

  explicit ModuleProtocol(RobotConfig config = {});

  // Handles one byte from the PC that arrived after `silenceMs` milliseconds without input.
  // Returns what the module sends back, echo first.
  std::vector<std::uint8_t> OnByte(std::uint8_t byte, int silenceMs);

  State state() const { return state_; }
  const Eeprom& eeprom() const { return eeprom_; }
  const DownloadRecord& lastDownload() const { return download_; }
  int downloadsCompleted() const { return downloadsCompleted_; }

  void SetSensorByte(std::uint8_t value) { config_.sensorByte = value; }
  std::uint8_t sensorByte() const { return config_.sensorByte; }
  void SetCommandHandler(CommandHandler handler) { commandHandler_ = std::move(handler); }
  void SetDownloadHook(DownloadHook hook) { downloadHook_ = std::move(hook); }

  // How long the last byte of the latest answer is held back (a late status), in ms.
  int lastByteDelayMs() const { return lastByteDelayMs_; }
  // True once the module has hung up the line for good (HangUpAfterHandshake).
  bool hungUp() const { return hungUp_; }

 private:
  bool AtBoundary() const;
  void HandleIdle(std::uint8_t byte, std::vector<std::uint8_t>& out);
  void HandleHandshake(std::uint8_t byte, std::vector<std::uint8_t>& out);
  void HandleDownload(std::uint8_t byte, std::vector<std::uint8_t>& out);
  void HandleRunning(std::uint8_t byte, std::vector<std::uint8_t>& out);
  void StartDownload();
  std::uint8_t CheckAndStorePacket();
  std::uint8_t IdentificationReply() const;
  std::uint8_t EchoOf(std::uint8_t byte) const;
  bool FaultAt(FaultKind kind, int packet) const;

  RobotConfig config_;
  State state_ = State::Idle;
  int handshakeStep_ = 0;
  std::array<std::uint8_t, kPacketSize> packet_{};
  int packetFill_ = 0;
  TestCommand command_{};
  int commandFill_ = 0;
  Eeprom eeprom_{};
  DownloadRecord download_;
  int downloadsCompleted_ = 0;
  CommandHandler commandHandler_;
  DownloadHook downloadHook_;
  int lastByteDelayMs_ = 0;
  bool hungUp_ = false;
  int handshakesDone_ = 0;
};

// True for the bytes that open an identification handshake of any module type.
bool IsIdentificationByte(std::uint8_t byte);

}  // namespace sim
