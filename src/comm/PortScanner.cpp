#include "comm/PortScanner.h"

#include <QCoreApplication>
#include <QObject>
#include <QThread>
#include <algorithm>
#include <array>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

#include "comm/LinkThread.h"
#include "comm/TextSource.h"

namespace comm {
namespace {

std::atomic<int> peakThreads{0};

int BusyThreads(std::uint32_t busy) {
  int n = 0;
  for (std::uint32_t bit : ThreadBits) n += (busy & bit) ? 1 : 0;
  return n;
}

// The four identification threads of one scan, handed out and taken back on the link thread.
class ThreadBitsLock {
 public:
  explicit ThreadBitsLock(std::uint32_t& busy) : busy_(busy) {}

  // Waits (asleep) until one of the threads is free; its bit index 1..4.
  int Take() {
    std::unique_lock lock(mutex_);
    free_.wait(lock, [this] { return (busy_ & kAllThreadBits) != kAllThreadBits; });
    int n = 1;
    while (busy_ & ThreadBits[n - 1]) ++n;
    busy_ |= ThreadBits[n - 1];
    peakThreads = std::max(peakThreads.load(), BusyThreads(busy_));
    return n;
  }
  void Give(int n) {
    {
      std::lock_guard lock(mutex_);
      busy_ &= ~ThreadBits[n - 1];
    }
    free_.notify_all();
  }

 private:
  std::uint32_t& busy_;
  std::mutex mutex_;
  std::condition_variable free_;
};

// Runs `report` on the thread of `receiver` (the window's), after every report queued before it.
void Deliver(QObject& receiver, std::function<void()> report) {
  QMetaObject::invokeMethod(&receiver, std::move(report), Qt::QueuedConnection);
}

}  // namespace

void TIdentificationThread::Execute(PortSlots& portSlots, const QString& portName,
                                    std::uint8_t downloadModule, const QString& moduleName,
                                    const std::atomic<bool>* cancel) {
  std::uint32_t error = 0;
  Finding.portName = portName;
  Finding.scanned = true;
  Slot = portSlots.AcquirePort(portName, &error);
  if (Slot == kNoPort) {
    Finding.openError = error == 0 ? OpenErrorKind::Other : OpenErrorKindOf(error);
    // All portSlots busy reports error 0, which reads as "cannot open" too.
    DeviceText = Text(error == kNoSuchDevice ? 389 : error == kAccessDenied ? 390 : 391);
    return;
  }
  TSerial& port = portSlots.SlotPort(Slot);

  // Loopback: does DSR follow RTS? Only when DSR is clear while RTS is low.
  port.SetRTS(0);
  SleepMs(protocol::kLoopbackSettleMs);
  LoopbackText = Text(388);
  if ((port.ModemStatus() & kDsrOn) == 0) {
    port.SetRTS(1);
    SleepMs(protocol::kLoopbackSettleMs);
    Finding.loopback = (port.ModemStatus() & kDsrOn) != 0;
    if (Finding.loopback) LoopbackText = Text(387);
    port.SetRTS(0);
  }

  for (int type = kVD2; type <= kVD2P; ++type) {
    if (cancel != nullptr && *cancel) break;
    IdentifyResult result;
    const bool found = Identify(port, type, downloadModule, moduleName, result);
    DeviceText = result.DeviceText;
    VersionText = result.VersionText;
    EchoText = result.EchoText;
    ModuleType = result.ModuleType;
    Finding.echo = result.Echo;
    Finding.moduleType = result.ModuleType;
    Finding.version = result.VersionText;
    // Without an echo nothing is there to try the other types on.
    if (found || !result.Echo) break;
  }
  port.Close();
}

void ReportResult(Session& session, DownloadUi& ui, const TIdentificationThread& thread) {
  const int row = thread.PortIndex + 1;
  PortStatusTable& table = session.PortStatus;
  table.SetCell(kDeviceColumn, row, thread.DeviceText);
  table.SetCell(kVersionColumn, row, thread.VersionText);
  table.SetCell(kLoopbackColumn, row, thread.LoopbackText);
  table.SetCell(kEchoColumn, row, thread.EchoText);
  table.SetCell(kTypeColumn, row, QString::number(thread.ModuleType));
  if (std::size_t(thread.PortIndex) < session.Findings.size())
    session.Findings[std::size_t(thread.PortIndex)] = thread.Finding;
  table.MakeRowVisible(row);
  ui.RowChanged(row);
}

namespace {

// The scan itself, on the link thread: at most four identification threads at once, each
// reporting its row to `receiver`'s thread. Returns when every thread has ended.
int RunIdentifications(Session& session, DownloadUi& ui, QObject& receiver) {
  std::array<std::unique_ptr<QThread>, kThreadCount> threads;
  ThreadBitsLock bits(session.ScanBusy);
  const std::uint8_t downloadModule = session.DownloadModule;
  const QString moduleName = session.ModuleNames.at(downloadModule);
  const QStringList ports = session.PortList;
  int started = 0;
  for (int i = 0; i < ports.size(); ++i) {
    if (session.Cancelled) break;
    if (!session.ScansPort(ports[i])) {
      Deliver(receiver, [&session, &ui, i] {
        session.PortStatus.SetCell(kDeviceColumn, i + 1, Text(386));
        ui.RowChanged(i + 1);
      });
      continue;
    }
    const int n = bits.Take();
    if (threads[n - 1]) threads[n - 1]->wait();
    ++started;
    const QString portName = ports[i];
    PortSlots& portSlots = session.Slots();
    const std::atomic<bool>* cancel = &session.Cancelled;
    // Qt threads, because each one owns a QSerialPort and its socket notifier.
    threads[n - 1].reset(QThread::create(
        [&session, &ui, &receiver, &bits, &portSlots, n, i, portName, downloadModule, moduleName, cancel] {
          TIdentificationThread thread;
          thread.BitIndex = n;
          thread.PortIndex = i;
          thread.Execute(portSlots, portName, downloadModule, moduleName, cancel);
          Deliver(receiver, [&session, &ui, thread] { ReportResult(session, ui, thread); });
          bits.Give(n);
        }));
    threads[n - 1]->start();
  }
  for (auto& t : threads) {
    if (t) t->wait();
  }
  return started;
}

}  // namespace

void ScanPorts(Session& session, DownloadUi& ui) {
  ui.SetScanning(true);
  ui.SetBusyCursor(true);
  peakThreads = 0;
  // The rows come back to this object on the calling (window) thread through queued calls;
  // the link thread ends its job only after the last thread has posted its row, so every row
  // has been written when Run returns.
  QObject receiver;
  int started = 0;
  session.Link().Run([&] { started = RunIdentifications(session, ui, receiver); });
  QCoreApplication::sendPostedEvents(&receiver);
  if (started > 0) ui.SetBusyCursor(false);
  ui.SetScanning(false);
}

int PeakScanThreads() {
  return peakThreads;
}

}  // namespace comm
