#include "sim/vm/LiveProgram.h"

namespace sim::vm {

namespace {
constexpr size_t kTerminalLimit = 4096;
constexpr int64_t kFastSliceUs = 20'000;
using Clock = std::chrono::steady_clock;
}  // namespace

LiveProgram::LiveProgram(bool fast) : fast_(fast) {
  world_.obstacles() = {{130, 20, 25, 30}, {120, 105, 20, 25}};
  startPose_ = {40, 75, 0};
  world_.Place(startPose_);
  wallBase_ = Clock::now();
  thread_ = std::thread([this] { Run(); });
}

LiveProgram::~LiveProgram() {
  {
    std::lock_guard lock(mutex_);
    quit_ = true;
  }
  wake_.notify_all();
  if (thread_.joinable()) thread_.join();
}

void LiveProgram::Load(const Image& image) {
  {
    std::lock_guard lock(mutex_);
    pendingImage_ = image;
    input_.clear();  // bytes sent from now on are for the new program
    output_.clear();
    conversing_ = false;
  }
  wake_.notify_all();
}

void LiveProgram::Restart() {
  {
    std::lock_guard lock(mutex_);
    if (image_ && !pendingImage_) {
      pendingImage_ = image_;
      input_.clear();
      output_.clear();
      conversing_ = false;
    }
  }
  wake_.notify_all();
}

bool LiveProgram::loaded() const {
  std::lock_guard lock(mutex_);
  return image_.has_value() || pendingImage_.has_value();
}

int64_t LiveProgram::SimNowLocked() const {
  if (fast_) return machine_ ? machine_->now() : 0;
  if (paused_) return simBase_;
  const auto elapsed =
      std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - wallBase_).count();
  return simBase_ + elapsed * speed_;
}

void LiveProgram::Rebase() {
  simBase_ = SimNowLocked();
  wallBase_ = Clock::now();
}

void LiveProgram::SetPaused(bool paused) {
  std::lock_guard lock(mutex_);
  if (paused == paused_) return;
  Rebase();
  paused_ = paused;
  wallBase_ = Clock::now();
  wake_.notify_all();
}

bool LiveProgram::paused() const {
  std::lock_guard lock(mutex_);
  return paused_;
}

void LiveProgram::SetSpeed(int factor) {
  std::lock_guard lock(mutex_);
  Rebase();
  speed_ = factor < 1 ? 1 : factor;
}

int LiveProgram::speed() const {
  std::lock_guard lock(mutex_);
  return speed_;
}

std::optional<uint8_t> LiveProgram::Exchange(const std::vector<uint8_t>& bytes, int timeoutMs) {
  std::unique_lock lock(mutex_);
  if (!machine_ && !pendingImage_) return std::nullopt;
  output_.clear();
  conversing_ = true;
  input_.insert(input_.end(), bytes.begin(), bytes.end());
  wake_.notify_all();
  if (!answered_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return !output_.empty(); }))
    return std::nullopt;
  const uint8_t answer = output_.front();
  output_.erase(output_.begin());
  return answer;
}

// Called on the run thread inside the interpreter, which holds the lock through runLock_.
int LiveProgram::SerialIn(int64_t us, int64_t deadlineUs, int64_t& arrivalUs) {
  while (true) {
    if (!input_.empty()) {
      const uint8_t b = input_.front();
      input_.pop_front();
      arrivalUs = fast_ ? us : std::max(us, SimNowLocked());
      return b;
    }
    if (quit_ || pendingImage_) return Io::kNoMoreInput;
    if (deadlineUs >= 0 && (fast_ || SimNowLocked() >= deadlineUs)) return Io::kTimeout;
    wake_.wait_for(*runLock_, std::chrono::milliseconds(2));
  }
}

// Called on the run thread with the lock held. The module's one wire carries both the DEBUG
// text and the answers of a program that the PC talks to; a program in a conversation (the
// test program serving the test window) sends answers, which would show as hundreds of
// unreadable characters, so only what a program sends on its own reaches the terminal.
void LiveProgram::SerialOut(uint8_t byte) {
  output_.push_back(byte);
  if (!conversing_) {
    terminal_ += static_cast<char>(byte);
    if (terminal_.size() > kTerminalLimit) terminal_.erase(0, terminal_.size() - kTerminalLimit);
  }
  answered_.notify_all();
}

void LiveProgram::Run() {
  std::unique_lock lock(mutex_);
  runLock_ = &lock;
  while (!quit_) {
    if (pendingImage_) {
      image_ = std::move(pendingImage_);
      pendingImage_.reset();
      RobotWorld fresh(world_.width(), world_.height(), world_.body());
      fresh.obstacles() = world_.obstacles();
      world_ = fresh;
      world_.Place(startPose_);
      world_.onSerialIn = [this](int64_t us, int64_t deadline, int64_t& arrival) {
        return SerialIn(us, deadline, arrival);
      };
      world_.onSerialOut = [this](int64_t, uint8_t byte) { SerialOut(byte); };
      terminal_.clear();
      machine_ = std::make_unique<Machine>(*image_, world_);
      simBase_ = 0;
      wallBase_ = Clock::now();
    }
    if (!machine_ || paused_) {
      wake_.wait_for(lock, std::chrono::milliseconds(20));
      continue;
    }
    const int64_t target = fast_ ? machine_->now() + kFastSliceUs : SimNowLocked();
    if (machine_->state() == RunState::Running) {
      machine_->RunUntil(target);
    } else {
      world_.AdvanceTo(fast_ ? world_.time() + kFastSliceUs : target);  // the servos run down
    }
    // Always let go of the lock for a moment, so snapshots and exchanges get their turn.
    const bool busy = fast_ && machine_->state() == RunState::Running;
    wake_.wait_for(lock, busy ? std::chrono::microseconds(50) : std::chrono::microseconds(2000));
  }
  runLock_ = nullptr;
}

LiveProgram::Snapshot LiveProgram::snapshot() const {
  std::lock_guard lock(mutex_);
  Snapshot s;
  s.pose = world_.pose();
  s.start = startPose_;
  s.trail = world_.trail();
  s.obstacles = world_.obstacles();
  s.width = world_.width();
  s.height = world_.height();
  s.leftWhisker = world_.leftWhiskerTouches();
  s.rightWhisker = world_.rightWhiskerTouches();
  s.leftBeam = world_.leftBeamLit(world_.time());
  s.rightBeam = world_.rightBeamLit(world_.time());
  s.leftSees = world_.leftInfraredSees();
  s.rightSees = world_.rightInfraredSees();
  s.leftSpeed = world_.leftSpeed();
  s.rightSpeed = world_.rightSpeed();
  s.timeUs = world_.time();
  s.terminal = terminal_;
  s.loaded = machine_ != nullptr;
  if (pendingImage_) {
    // A program handed over but not picked up by the run thread yet counts as running, so
    // nobody mistakes the previous (or no) program's end for its end.
    s.state = RunState::Running;
  } else if (machine_) {
    s.state = machine_->state();
    s.fault = machine_->fault();
  }
  return s;
}

void LiveProgram::MoveObstacle(int index, double x, double y) {
  std::lock_guard lock(mutex_);
  if (index < 0 || index >= static_cast<int>(world_.obstacles().size())) return;
  world_.obstacles()[index].x = x;
  world_.obstacles()[index].y = y;
}

void LiveProgram::SetStartPose(Pose pose) {
  std::lock_guard lock(mutex_);
  startPose_ = pose;
}

}  // namespace sim::vm
