// Port scan over virtual robots that never answer: four silent ports are examined in
// parallel, so they cost about one time-out round, not four.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <memory>
#include <vector>

#include "comm/DownloadUi.h"
#include "comm/Identify.h"
#include "comm/PortScanner.h"
#include "comm/QtSerialDevice.h"
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

void EnsureApp() {
  static int argc = 1;
  static char name[] = "bench_comm_scan";
  static char* argv[] = {name, nullptr};
  if (!QCoreApplication::instance()) static QCoreApplication app(argc, argv);
}

void BM_ScanSilentPorts(benchmark::State& state) {
  EnsureApp();
  const int count = int(state.range(0));
  sim::RobotConfig dead;
  dead.fault.kind = sim::FaultKind::NoAnswer;
  std::vector<std::unique_ptr<sim::VirtualRobot>> robots;
  QStringList ports;
  for (int i = 0; i < count; ++i) {
    robots.push_back(std::make_unique<sim::VirtualRobot>(dead));
    robots.back()->Start();
    ports << QString::fromStdString(robots.back()->DevicePath());
  }
  comm::PortSlots portSlots(comm::QtSerialDeviceFactory());
  comm::Session session(portSlots);
  session.enumerate = [ports](QStringList& list) { list = ports; };
  session.SetSelectedPort("AUTO");
  session.DownloadModule = comm::kVD2;
  QuietUi ui;
  for (auto _ : state) {
    session.RefreshDisplay(true);
    comm::ScanPorts(session, ui);
  }
  // One silent port costs the reset pulse (67 ms) and the first echo time-out (340 ms).
  state.counters["rounds_of_407ms"] = benchmark::Counter(
      double(state.iterations()) * 0.407, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  state.counters["ports"] = count;
}
// CPU time counts every thread of the process: the identification threads sleep through the
// protocol's waits, so it stays far below the wall time.
BENCHMARK(BM_ScanSilentPorts)
    ->Arg(1)
    ->Arg(4)
    ->Arg(8)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

}  // namespace
