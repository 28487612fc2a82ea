#pragma once
// The port scan: a job on the link thread that runs up to four identification threads at
// once, each on its own port, whose findings are written into the port status table on the
// GUI thread.

#include <QString>
#include <atomic>
#include <cstdint>

#include "comm/DownloadUi.h"
#include "comm/Identify.h"
#include "comm/Session.h"

namespace comm {

inline constexpr int kThreadCount = 4;
inline constexpr std::uint32_t ThreadBits[kThreadCount] = {1, 2, 4, 8};
inline constexpr std::uint32_t kAllThreadBits = 0xF;

// What one identification thread found on its port.
struct TIdentificationThread {
  int BitIndex = 0;   // 1..4
  int PortIndex = 0;  // index into PortList
  int Slot = kNoPort;
  QString DeviceText;
  QString VersionText;
  QString LoopbackText;
  QString EchoText;
  std::uint8_t ModuleType = kNoModule;
  // The same findings as values.
  PortFinding Finding;

  // The thread body: acquire a slot, loopback test, handshakes of types 2..5, close.
  // A set `cancel` stops it before the next module type.
  void Execute(PortSlots& portSlots, const QString& portName, std::uint8_t downloadModule,
               const QString& moduleName, const std::atomic<bool>* cancel = nullptr);
};

// Scans PortList as SelectedPort says and returns when every started thread has reported.
// The scan runs as a job on the session's link thread; the rows come back to the calling
// thread through queued calls, so its windows repaint and its timers tick meanwhile.
void ScanPorts(Session& session, DownloadUi& ui);

// Writes a finished thread's findings into row PortIndex + 1 (GUI thread only).
void ReportResult(Session& session, DownloadUi& ui, const TIdentificationThread& thread);

// The most identification threads that ran at the same time in the last ScanPorts.
int PeakScanThreads();

}  // namespace comm
