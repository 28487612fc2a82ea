// A download of 128 packets to a virtual robot that paces every byte at 9600 baud, against
// the wire time: the byte times of everything the module sends plus the protocol's fixed
// waits (the 67 ms reset pulse and the quiet check after the last status).

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <memory>

#include "comm/Download.h"
#include "comm/DownloadUi.h"
#include "comm/Identify.h"
#include "comm/QtSerialDevice.h"
#include "protocol/RobotProtocol.h"
#include "sim/VirtualRobot.h"

namespace {

class QuietUi : public comm::DownloadUi {
 public:
  int OpenProgress(const QString&) override { return -1; }
  int SelectedRow() override { return -1; }
  void CloseProgress() override {}
  void SetScanning(bool) override {}
  void RowChanged(int) override {}
  void PlaceMarker(int) override {}
  void ToggleMarker() override {}
  void StepIt(int) override {}
  void SetBusyCursor(bool) override {}
  void ShowError(const QString&) override {}
  void ShowFailure(const comm::DownloadOutcome&) override {}
  void ShowTokenizeFailure(const QString&, const QString&) override {}
};

comm::Packet MakePacket(int block) {
  comm::Packet p{};
  p.fill(std::uint8_t(block * 3));
  p[0] = std::uint8_t(0x80 + block);
  unsigned sum = 0;
  for (int i = 0; i < 17; ++i) sum += p[i];
  p[17] = std::uint8_t(-sum);
  return p;
}

void BM_Download128PacketsAt9600(benchmark::State& state) {
  static int argc = 1;
  static char name[] = "bench_comm_download";
  static char* argv[] = {name, nullptr};
  if (!QCoreApplication::instance()) static QCoreApplication app(argc, argv);

  sim::RobotConfig config;
  config.byteTiming = true;
  sim::VirtualRobot robot(config);
  robot.Start();
  comm::PortSlots portSlots(comm::QtSerialDeviceFactory());
  comm::Session session(portSlots);
  session.DownloadModule = comm::kVD2;
  for (int k = 0; k < comm::kPacketLimit; ++k) session.PacketBuffer.push_back(MakePacket(k));
  QuietUi ui;
  comm::Downloader downloader(session, ui, nullptr);
  bool ok = true;
  for (auto _ : state) {
    const int slot = portSlots.AcquirePort(QString::fromStdString(robot.DevicePath()), nullptr);
    ok = ok && slot != comm::kNoPort && downloader.SendPackets(comm::kVD2, 0, slot).ok();
    if (slot != comm::kNoPort) portSlots.SlotPort(slot).Close();
  }
  // The module sends 8 handshake bytes, then per packet 18 echoed bytes and a status byte.
  const double byteMs = sim::kByteTimeUs / 1000.0;
  const double fixedMs =
      protocol::kResetDtrMs + protocol::kResetBreakMs + protocol::kResetSettleMs + protocol::kTrailingQuietMs;
  const double wireMs = fixedMs + (8 + comm::kPacketLimit * 19) * byteMs;
  state.counters["wire_ms"] = wireMs;
  state.counters["ok"] = ok ? 1 : 0;
  state.counters["measured_over_wire"] =
      benchmark::Counter(double(state.iterations()) * wireMs / 1000.0,
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_Download128PacketsAt9600)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();

}  // namespace
