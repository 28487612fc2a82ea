#include "sim/VirtualRobot.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>

#include "sim/vm/LiveProgram.h"

namespace sim {
namespace {

std::int64_t NowUs() {
  using namespace std::chrono;
  return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

void SleepUntilUs(std::int64_t when) {
  const std::int64_t now = NowUs();
  if (when > now) std::this_thread::sleep_for(std::chrono::microseconds(when - now));
}

void CloseFd(int& fd) {
  if (fd >= 0) ::close(fd);
  fd = -1;
}

}  // namespace

VirtualRobot::VirtualRobot(RobotConfig config) : config_(config), protocol_(config) {
  if (config_.runProgram) live_ = std::make_unique<vm::LiveProgram>(config_.fastProgram);
  protocol_.SetDownloadHook([this](const DownloadRecord& record) {
    // Runs under mutex_; the user's hook is called after the lock is left.
    pendingHooks_.push_back(record);
    if (live_) live_->Load(record.eeprom);  // the module resets and runs the new image
  });
  if (live_) SetCommandHandler({});
}

VirtualRobot::~VirtualRobot() { Stop(); }

bool VirtualRobot::Start(std::string* error) {
  if (running_) return true;
  termios raw{};
  ::cfmakeraw(&raw);
  ::cfsetispeed(&raw, B9600);
  ::cfsetospeed(&raw, B9600);
  char name[128] = {};
  if (::openpty(&masterFd_, &slaveFd_, name, &raw, nullptr) != 0) {
    if (error) *error = std::string("cannot open a pseudo-terminal: ") + std::strerror(errno);
    masterFd_ = slaveFd_ = -1;
    return false;
  }
  if (::pipe(wakeFds_) != 0) {
    if (error) *error = std::string("cannot create a pipe: ") + std::strerror(errno);
    CloseFd(masterFd_);
    CloseFd(slaveFd_);
    return false;
  }
  // A robot nobody listens to must not block: bytes that do not fit are lost, as on a wire.
  ::fcntl(masterFd_, F_SETFL, ::fcntl(masterFd_, F_GETFL) | O_NONBLOCK);
  devicePath_ = name;
  lastInputUs_ = -1;
  running_ = true;
  thread_ = std::thread([this] { Run(); });
  return true;
}

void VirtualRobot::Stop() {
  if (!running_) return;
  running_ = false;
  const char wake = 1;
  [[maybe_unused]] auto written = ::write(wakeFds_[1], &wake, 1);
  if (thread_.joinable()) thread_.join();
  CloseFd(wakeFds_[0]);
  CloseFd(wakeFds_[1]);
  CloseFd(masterFd_);
  CloseFd(slaveFd_);
}

void VirtualRobot::Run() {
  std::uint8_t buffer[512];
  while (running_ && masterFd_ >= 0) {
    pollfd fds[2] = {{masterFd_, POLLIN, 0}, {wakeFds_[0], POLLIN, 0}};
    const int ready = ::poll(fds, 2, -1);
    if (ready < 0) {
      if (errno == EINTR) continue;
      break;
    }
    if (fds[1].revents) break;
    if (fds[0].revents & POLLIN) {
      const ssize_t n = ::read(masterFd_, buffer, sizeof buffer);
      if (n > 0) HandleInput(buffer, int(n));
    } else if (fds[0].revents & (POLLHUP | POLLERR)) {
      // Our own slave descriptor stays open, so this is only a passing state; do not spin.
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  }
}

void VirtualRobot::HandleInput(const std::uint8_t* bytes, int count) {
  const std::int64_t readUs = NowUs();
  for (int i = 0; i < count; ++i) {
    std::int64_t now = NowUs();
    if (config_.byteTiming) {
      // The schedule is absolute (one byte time after the previous byte at the earliest), so
      // a late wake-up of this thread does not add up over a long download.
      rxFreeUs_ = std::max(rxFreeUs_ + kByteTimeUs, readUs);
      SleepUntilUs(rxFreeUs_);
      now = rxFreeUs_;
      txFreeUs_ = std::max(txFreeUs_, rxFreeUs_);
    }
    const int silenceMs = lastInputUs_ < 0 ? 1'000'000 : int((now - lastInputUs_) / 1000);
    lastInputUs_ = now;

    std::vector<std::uint8_t> answer;
    std::vector<DownloadRecord> hooks;
    ModuleProtocol::DownloadHook userHook;
    int lastByteDelayMs = 0;
    bool hangUp = false;
    {
      std::lock_guard lock(mutex_);
      wireLog_.push_back({true, bytes[i]});
      answer = protocol_.OnByte(bytes[i], silenceMs);
      for (std::uint8_t b : answer) wireLog_.push_back({false, b});
      hooks.swap(pendingHooks_);
      userHook = userHook_;
      lastByteDelayMs = protocol_.lastByteDelayMs();
      hangUp = protocol_.hungUp();
    }
    SendHoldingLast(answer, lastByteDelayMs);
    if (hangUp) {
      HangUp();
      return;
    }
    if (!hooks.empty()) {
      if (userHook) {
        for (const auto& record : hooks) userHook(record);
      }
      downloadDone_.notify_all();
    }
  }
}

void VirtualRobot::SendHoldingLast(std::vector<std::uint8_t> bytes, int delayMs) {
  if (delayMs <= 0 || bytes.empty()) {
    Send(bytes);
    return;
  }
  const std::uint8_t last = bytes.back();
  bytes.pop_back();
  Send(bytes);
  std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
  Send({last});
}

void VirtualRobot::HangUp() {
  // Both ends closed: once the PC lets go of the device, its path disappears.
  CloseFd(slaveFd_);
  CloseFd(masterFd_);
}

void VirtualRobot::Send(const std::vector<std::uint8_t>& bytes) {
  if (bytes.empty()) return;
  if (!config_.byteTiming) {
    [[maybe_unused]] auto written = ::write(masterFd_, bytes.data(), bytes.size());
    return;
  }
  for (std::uint8_t b : bytes) {
    txFreeUs_ += kByteTimeUs;
    SleepUntilUs(txFreeUs_);
    [[maybe_unused]] auto written = ::write(masterFd_, &b, 1);
  }
}

Eeprom VirtualRobot::eeprom() const {
  std::lock_guard lock(mutex_);
  return protocol_.eeprom();
}

DownloadRecord VirtualRobot::lastDownload() const {
  std::lock_guard lock(mutex_);
  return protocol_.lastDownload();
}

int VirtualRobot::downloadsCompleted() const {
  std::lock_guard lock(mutex_);
  return protocol_.downloadsCompleted();
}

bool VirtualRobot::WaitForDownloads(int count, int timeoutMs) const {
  std::unique_lock lock(mutex_);
  return downloadDone_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                [&] { return protocol_.downloadsCompleted() >= count; });
}

std::vector<WireByte> VirtualRobot::wireLog() const {
  std::lock_guard lock(mutex_);
  return wireLog_;
}

void VirtualRobot::ClearWireLog() {
  std::lock_guard lock(mutex_);
  wireLog_.clear();
}

std::vector<std::uint8_t> VirtualRobot::received() const {
  std::lock_guard lock(mutex_);
  std::vector<std::uint8_t> bytes;
  for (const auto& w : wireLog_) {
    if (w.fromPc) bytes.push_back(w.value);
  }
  return bytes;
}

void VirtualRobot::SetSensorByte(std::uint8_t value) {
  std::lock_guard lock(mutex_);
  protocol_.SetSensorByte(value);
}

std::uint8_t VirtualRobot::sensorByte() const {
  std::lock_guard lock(mutex_);
  return protocol_.sensorByte();
}

void VirtualRobot::SetCommandHandler(ModuleProtocol::CommandHandler handler) {
  std::lock_guard lock(mutex_);
  if (live_) {
    // A running program answers; the handler still sees every command (e.g. to show it).
    handler = [this, user = std::move(handler)](const TestCommand& command) -> std::optional<std::uint8_t> {
      std::optional<std::uint8_t> canned = protocol_.sensorByte();
      if (user) canned = user(command);
      if (!live_->loaded()) return canned;
      return live_->Exchange(std::vector<std::uint8_t>(command.begin(), command.end()), 200);
    };
  }
  protocol_.SetCommandHandler(std::move(handler));
}

void VirtualRobot::SetDownloadHook(ModuleProtocol::DownloadHook hook) {
  std::lock_guard lock(mutex_);
  userHook_ = std::move(hook);
}

}  // namespace sim
