#pragma once
// The communication state that the whole program shares: the port slots, the port list and
// port box, the port status table, and what the next download sends. One instance lives for
// the whole run (TheSession()); tests make their own over fake devices.

#include <QString>
#include <QStringList>
#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "comm/PortFinding.h"
#include "comm/PortSlots.h"
#include "comm/PortStatusTable.h"
#include "comm/Ports.h"

namespace comm {

inline constexpr int kPacketSize = protocol::kPacketSize;
inline constexpr int kPacketLimit = protocol::kPacketLimit;
inline constexpr int kProgramLimit = 1;  // one program per download in this system
using Packet = std::array<std::uint8_t, kPacketSize>;

class LinkThread;

class Session {
 public:
  explicit Session(PortSlots& portSlots = SerialSlots());
  ~Session();

  // The thread that owns the download's port and the test exchange; started on first use.
  LinkThread& Link();

  PortSlots& Slots() { return slots_; }

  // Port discovery.
  QStringList PortList;
  PortBox portBox;
  // Fills the list; EnumeratePorts unless a test puts its own here.
  std::function<void(QStringList&)> enumerate = EnumeratePorts;
  // Rebuilds PortList and the port box, re-selecting the previous choice when still present.
  void RefreshPortList();
  // "AUTO" or the one port the user chose; the window or the command line sets it.
  QString SelectedPort() const { return selectedPort_; }
  void SetSelectedPort(const QString& port) { selectedPort_ = port; }
  // The caller's name of each module type 0..5; the grid names the found module with it.
  std::array<QString, 6> ModuleNames;
  // Ports named by the caller (the command line's --port, given once or more); when not
  // empty they replace SelectedPort for the scan.
  QStringList ChosenPorts;
  // Whether the scan looks at this port.
  bool ScansPort(const QString& port) const;

  // Set from any thread (a signal handler too) to stop a scan or download at its next step.
  std::atomic<bool> Cancelled{false};

  // Scan and download.
  PortStatusTable PortStatus;
  // What the last scan found, one entry per PortList entry.
  std::vector<PortFinding> Findings;
  std::uint32_t ScanBusy = 0;
  std::uint8_t DownloadModule = 0;
  std::uint8_t ProgramCount = 0;
  std::array<int, kProgramLimit> ProgramPackets{};
  std::vector<Packet> PacketBuffer;

  // What the progress window does every time it is shown: the port list rebuilt, the table
  // sized to it and (when asked) cleared.
  void RefreshDisplay(bool clearRows);

 private:
  PortSlots& slots_;
  QString selectedPort_ = QStringLiteral("AUTO");
  std::unique_ptr<LinkThread> link_;
};

Session& TheSession();

}  // namespace comm
