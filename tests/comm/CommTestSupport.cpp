#include "CommTestSupport.h"

#include <algorithm>

#include "comm/TextSource.h"

namespace commtest {
namespace {
// The link words its grid from the application's text table, as the windows and the
// command-line tool have it do.
const bool kTextsInstalled = [] {
  comm::SetTextSource([](int number) { return app::LoadText(number); });
  return true;
}();
}  // namespace

void EnsureCoreApplication() {
  if (QCoreApplication::instance()) return;
  static int argc = 1;
  static char name[] = "comm_tests";
  static char* argv[] = {name, nullptr};
  static QCoreApplication app(argc, argv);
}

namespace {

class FakeDevice : public comm::SerialDevice {
 public:
  explicit FakeDevice(FakeWorld& world) : world_(world) {}

  std::uint32_t Open(const QString& name) override {
    std::lock_guard lock(world_.lock);
    auto it = world_.ports_.find(name);
    if (it == world_.ports_.end()) return comm::kNoSuchDevice;
    FakePort& port = *it->second;
    if (port.openError != 0) return port.openError;
    if (port.inUse) return comm::kAccessDenied;
    port.inUse = true;
    port_ = &port;
    return 0;
  }
  bool SettingsReadable() override { return true; }
  void Configure(int, bool, int) override {}
  void Close() override {
    std::lock_guard lock(world_.lock);
    if (port_) port_->inUse = false;
    port_ = nullptr;
  }
  int Read(std::uint8_t* data, int max, int) override {
    std::lock_guard lock(world_.lock);
    const int n = std::min<int>(max, int(port_->input.size()));
    std::copy_n(port_->input.begin(), n, data);
    port_->input.erase(port_->input.begin(), port_->input.begin() + n);
    return n;
  }
  int Waiting() override {
    std::lock_guard lock(world_.lock);
    return int(port_->input.size());
  }
  bool Write(const std::uint8_t* data, int count, int) override {
    std::lock_guard lock(world_.lock);
    for (int i = 0; i < count; ++i) {
      port_->written.push_back(data[i]);
      if (!port_->present || port_->answersLeft == 0) continue;
      if (port_->answersLeft > 0) --port_->answersLeft;
      // A BREAK resets the module, so the next byte starts afresh.
      const int silence = port_->resetPending ? 1'000'000 : 0;
      port_->resetPending = false;
      const auto answer = port_->module->OnByte(data[i], silence);
      port_->input.insert(port_->input.end(), answer.begin(), answer.end());
    }
    return true;
  }
  void SetDtr(bool on) override {
    std::lock_guard lock(world_.lock);
    port_->lines.push_back(on ? "DTR1" : "DTR0");
  }
  void SetRts(bool on) override {
    std::lock_guard lock(world_.lock);
    port_->rts = on;
    port_->lines.push_back(on ? "RTS1" : "RTS0");
  }
  void SetBreak(bool on) override {
    std::lock_guard lock(world_.lock);
    if (on) port_->resetPending = true;
    port_->lines.push_back(on ? "BRK1" : "BRK0");
  }
  std::uint32_t ModemStatus() override {
    std::lock_guard lock(world_.lock);
    return port_->loopback && port_->rts ? comm::kDsrOn : 0;
  }

 private:
  FakeWorld& world_;
  FakePort* port_ = nullptr;
};

}  // namespace

FakePort& FakeWorld::Add(const QString& name, sim::RobotConfig robot) {
  auto port = std::make_unique<FakePort>();
  port->robot = robot;
  port->module = std::make_unique<sim::ModuleProtocol>(robot);
  FakePort& ref = *port;
  ports_[name] = std::move(port);
  return ref;
}

FakePort& FakeWorld::AddUnopenable(const QString& name, std::uint32_t code) {
  FakePort& port = Add(name);
  port.openError = code;
  return port;
}

FakePort& FakeWorld::AddDead(const QString& name) {
  FakePort& port = Add(name);
  port.present = false;
  return port;
}

comm::SerialDeviceFactory FakeWorld::Factory() {
  return [this] { return std::make_unique<FakeDevice>(*this); };
}

std::array<std::uint8_t, 18> MakePacket(int block, std::uint8_t fill) {
  std::array<std::uint8_t, 18> p{};
  p.fill(fill);
  p[0] = std::uint8_t(0x80 + block);
  unsigned sum = 0;
  for (int i = 0; i < 17; ++i) sum += p[i];
  p[17] = std::uint8_t(-sum);
  return p;
}

}  // namespace commtest
