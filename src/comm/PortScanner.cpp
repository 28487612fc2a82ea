#include "comm/PortScanner.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QObject>
#include <QThread>
#include <array>
#include <atomic>
#include <memory>

#include "comm/TextSource.h"

namespace comm {
namespace {

std::atomic<int> peakThreads{0};

int BusyThreads(std::uint32_t busy) {
  int n = 0;
  for (std::uint32_t bit : ThreadBits) n += (busy & bit) ? 1 : 0;
  return n;
}

void WaitForReports(std::uint32_t& busy, auto&& stillWaiting) {
  while (stillWaiting(busy)) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
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
  session.ScanBusy &= ~ThreadBits[thread.BitIndex - 1];
  if ((session.ScanBusy & kAllThreadBits) == 0) ui.SetBusyCursor(false);
}

void ScanPorts(Session& session, DownloadUi& ui) {
  ui.SetScanning(true);
  ui.SetBusyCursor(true);
  peakThreads = 0;

  // Reports are queued to this object, which lives on the calling (GUI) thread, and run while
  // the waiting loops below process events. It outlives every report: the loops end only
  // after the last one ran.
  QObject receiver;
  // Qt threads, because each one owns a QSerialPort and its socket notifier.
  std::array<std::unique_ptr<QThread>, kThreadCount> threads;
  const std::uint8_t downloadModule = session.DownloadModule;
  const QString moduleName = session.ModuleNames.at(downloadModule);
  for (int i = 0; i < session.PortList.size(); ++i) {
    if (session.Cancelled) break;
    if (!session.ScansPort(session.PortList[i])) {
      session.PortStatus.SetCell(kDeviceColumn, i + 1, Text(386));
      ui.RowChanged(i + 1);
      continue;
    }
    WaitForReports(session.ScanBusy,
                   [](std::uint32_t busy) { return (busy & kAllThreadBits) == kAllThreadBits; });
    int n = 1;
    while (session.ScanBusy & ThreadBits[n - 1]) ++n;
    if (threads[n - 1]) threads[n - 1]->wait();

    session.ScanBusy |= ThreadBits[n - 1];
    peakThreads = std::max(peakThreads.load(), BusyThreads(session.ScanBusy));
    const QString portName = session.PortList[i];
    PortSlots& portSlots = session.Slots();
    const std::atomic<bool>* cancel = &session.Cancelled;
    threads[n - 1].reset(QThread::create([&session, &ui, &receiver, &portSlots, n, i, portName,
                                          downloadModule, moduleName, cancel] {
      TIdentificationThread thread;
      thread.BitIndex = n;
      thread.PortIndex = i;
      thread.Execute(portSlots, portName, downloadModule, moduleName, cancel);
      QMetaObject::invokeMethod(
          &receiver, [&session, &ui, thread] { ReportResult(session, ui, thread); }, Qt::QueuedConnection);
    }));
    threads[n - 1]->start();
  }
  WaitForReports(session.ScanBusy, [](std::uint32_t busy) { return (busy & kAllThreadBits) != 0; });
  for (auto& t : threads) {
    if (t) t->wait();
  }
  ui.SetScanning(false);
  QThread::yieldCurrentThread();
}

int PeakScanThreads() {
  return peakThreads;
}

}  // namespace comm
