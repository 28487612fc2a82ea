#pragma once
// The virtual robot: a module that answers the PC's serial code from its own thread on the
// master side of a pseudo-terminal. The PC side opens DevicePath() like any serial port.
//
//   VirtualRobot robot;                 // a VD2 reporting v1.0
//   robot.Start();                      // opens the pseudo-terminal, starts the thread
//   ... download to robot.DevicePath() ...
//   robot.lastDownload().eeprom         // what arrived

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "sim/ModuleProtocol.h"
#include "sim/RobotConfig.h"

namespace sim {

namespace vm {
class LiveProgram;
}

// One byte on the wire as the robot saw it, in the order it was received or sent.
struct WireByte {
  bool fromPc = false;
  std::uint8_t value = 0;
  bool operator==(const WireByte&) const = default;
};

class VirtualRobot {
 public:
  explicit VirtualRobot(RobotConfig config = {});
  ~VirtualRobot();
  VirtualRobot(const VirtualRobot&) = delete;
  VirtualRobot& operator=(const VirtualRobot&) = delete;

  // Opens the pseudo-terminal and starts answering. False (with a reason) when it cannot.
  bool Start(std::string* error = nullptr);
  // Stops the thread and closes the pseudo-terminal; the device path disappears.
  void Stop();
  bool running() const { return running_; }

  // The pseudo-terminal's device path, e.g. /dev/pts/4; empty before Start.
  std::string DevicePath() const { return devicePath_; }
  const RobotConfig& config() const { return config_; }

  Eeprom eeprom() const;
  DownloadRecord lastDownload() const;
  int downloadsCompleted() const;
  // Waits until at least `count` downloads have ended with their closing zero.
  bool WaitForDownloads(int count, int timeoutMs) const;

  std::vector<WireByte> wireLog() const;
  void ClearWireLog();
  // Every byte the PC sent, in order.
  std::vector<std::uint8_t> received() const;

  void SetSensorByte(std::uint8_t value);
  std::uint8_t sensorByte() const;
  // Replaces the canned answer of the test exchange (e.g. by a program that runs the image).
  void SetCommandHandler(ModuleProtocol::CommandHandler handler);
  // Runs on the robot's thread after every complete download.
  void SetDownloadHook(ModuleProtocol::DownloadHook hook);
  // The downloaded program running on the virtual robot (with config.runProgram), else null.
  vm::LiveProgram* liveProgram() { return live_.get(); }

 private:
  void Run();
  void HandleInput(const std::uint8_t* bytes, int count);
  void Send(const std::vector<std::uint8_t>& bytes);
  // Sends the answer with its last byte held back delayMs (a late status).
  void SendHoldingLast(std::vector<std::uint8_t> bytes, int delayMs);
  // Closes the pseudo-terminal from the robot's side and stops answering.
  void HangUp();

  RobotConfig config_;
  std::string devicePath_;
  int masterFd_ = -1;
  int slaveFd_ = -1;   // kept open so the master never sees a hang-up between PC sessions
  int wakeFds_[2] = {-1, -1};
  std::thread thread_;
  std::atomic<bool> running_{false};

  mutable std::mutex mutex_;
  mutable std::condition_variable downloadDone_;
  ModuleProtocol protocol_;
  std::vector<WireByte> wireLog_;
  ModuleProtocol::DownloadHook userHook_;
  std::unique_ptr<vm::LiveProgram> live_;
  std::vector<DownloadRecord> pendingHooks_;

  // Only the robot's thread uses these.
  std::int64_t lastInputUs_ = -1;
  std::int64_t rxFreeUs_ = 0;
  std::int64_t txFreeUs_ = 0;
};

}  // namespace sim
