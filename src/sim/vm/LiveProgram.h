#pragma once
// A downloaded program running on the virtual robot in its own thread, paced to the wall
// clock (1x or faster) or, in fast mode, as fast as it goes. The PC's bytes reach the
// program's SERIN on the programming port; what the program sends there is collected, so the
// test exchange (4 bytes in, one answer byte out) is answered by the program itself.

#include <array>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "sim/vm/RobotWorld.h"

namespace sim::vm {

class LiveProgram {
 public:
  explicit LiveProgram(bool fast = false);
  ~LiveProgram();
  LiveProgram(const LiveProgram&) = delete;
  LiveProgram& operator=(const LiveProgram&) = delete;

  // Resets the module with a new image (the robot goes back to its start) and runs it.
  void Load(const Image& image);
  bool loaded() const;
  // Starts the current image again from the beginning, with the robot at its start.
  void Restart();

  // Sends the PC's bytes to the programming port and waits up to `timeoutMs` of real time for
  // the first byte the program sends back. From then on the program is in a conversation with
  // the PC: what it sends answers the PC and is no longer terminal text.
  std::optional<uint8_t> Exchange(const std::vector<uint8_t>& bytes, int timeoutMs);

  void SetPaused(bool paused);
  bool paused() const;
  void SetSpeed(int factor);  // 1 real time, 4 four times as fast
  int speed() const;

  struct Snapshot {
    Pose pose, start;
    std::vector<Pose> trail;
    std::vector<Obstacle> obstacles;
    double width = 0, height = 0;
    bool leftWhisker = false, rightWhisker = false;
    bool leftBeam = false, rightBeam = false;  // an LED burst just now
    bool leftSees = false, rightSees = false;  // an obstacle in that beam
    double leftSpeed = 0, rightSpeed = 0;
    RunState state = RunState::Ended;
    std::string fault;
    int64_t timeUs = 0;
    // What the program sent to the PC as DEBUG text, the last few kilobytes: everything it
    // sent before the PC first talked to it (the test exchange's answers are not text).
    std::string terminal;
    bool loaded = false;
  };
  Snapshot snapshot() const;
  void MoveObstacle(int index, double x, double y);
  void SetStartPose(Pose pose);

 private:
  void Run();
  int64_t SimNowLocked() const;
  int SerialIn(int64_t us, int64_t deadlineUs, int64_t& arrivalUs);
  void SerialOut(uint8_t byte);
  void Rebase();

  mutable std::mutex mutex_;
  std::condition_variable wake_;
  std::condition_variable answered_;
  std::unique_lock<std::mutex>* runLock_ = nullptr;  // the run thread's lock while it runs

  bool fast_;
  bool quit_ = false;
  bool paused_ = false;
  int speed_ = 1;
  std::optional<Image> pendingImage_;
  std::optional<Image> image_;
  RobotWorld world_;
  std::unique_ptr<Machine> machine_;
  Pose startPose_;
  // The PC has exchanged bytes with the current program since it was (re)started.
  bool conversing_ = false;
  std::deque<uint8_t> input_;
  std::vector<uint8_t> output_;
  std::string terminal_;
  std::chrono::steady_clock::time_point wallBase_;
  int64_t simBase_ = 0;
  std::thread thread_;
};

}  // namespace sim::vm
