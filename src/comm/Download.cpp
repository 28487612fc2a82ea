#include "comm/Download.h"

#include <QElapsedTimer>
#include <algorithm>

#include "comm/ForwardingProgress.h"
#include "comm/Identify.h"
#include "comm/LinkThread.h"
#include "comm/PortScanner.h"
#include "comm/TextSource.h"
#include "protocol/RobotProtocol.h"

namespace comm {
namespace {

// The question of the modal choice among several robots.
constexpr int kChoiceText = 413;

// The marker blinks at most once per 25 ms so that it does not slow the packet loop.
constexpr qint64 kMarkerPeriodMs = 25;

}  // namespace

const std::array<QString, 6>& RequiredVersions() {
  static const std::array<QString, 6> versions = [] {
    std::array<QString, 6> texts;
    for (std::size_t i = 0; i < texts.size(); ++i) {
      const std::string_view version = protocol::kRequiredVersions[i];
      texts[i] = QString::fromLatin1(version.data(), qsizetype(version.size()));
    }
    return texts;
  }();
  return versions;
}

Downloader::Downloader(Session& session, DownloadUi& ui, tok::Tokenizer* tokenizer)
    : session_(session), ui_(ui), tokenizer_(tokenizer) {}

int Downloader::DownloadIt(bool keepPortOpen) {
  outcome_ = DownloadOutcome{};
  outcome_.totalPackets = int(session_.PacketBuffer.size());
  ui_.SetBusyCursor(true);
  if (session_.ProgramCount == 0) {
    outcome_.failure = DownloadFailure::NothingToSend;
    ui_.SetBusyCursor(false);
    return kNoPort;
  }
  session_.RefreshDisplay(true);
  ui_.OpenProgress(QString());
  ScanPorts(session_, ui_);
  if (session_.Cancelled) {
    outcome_.failure = DownloadFailure::Cancelled;
    ui_.CloseProgress();
    ui_.SetBusyCursor(false);
    return kNoPort;
  }

  const int target = FindDownloadTarget();
  if (target == kNoTarget) {
    ui_.SetBusyCursor(false);
    return kNoPort;
  }
  ui_.PlaceMarker(target + 1);
  const int result = DownloadTo(target, keepPortOpen);
  ui_.CloseProgress();
  ui_.SetBusyCursor(false);
  return result;
}

int Downloader::DownloadTo(int target, bool keepPortOpen) {
  const PortFinding& finding = session_.Findings.at(std::size_t(target));
  if (finding.version != RequiredVersions()[session_.DownloadModule]) {
    outcome_.failure = DownloadFailure::WrongVersion;
    ui_.ShowFailure(outcome_);
    return kNoPort;
  }
  std::uint32_t error = 0;
  int slot = kNoPort;
  // The port is opened, used and closed on the link thread; this thread meanwhile shows the
  // progress that comes back through queued calls.
  ForwardingProgress progress(ui_);
  const QString portName = session_.PortList.value(target);
  session_.Link().Run([&] {
    slot = session_.Slots().AcquirePort(portName, &error);
    if (slot == kNoPort) return;
    for (int p = 0; p < session_.ProgramCount; ++p) {
      outcome_ = SendPackets(session_.DownloadModule, p, slot, &progress);
      if (!outcome_.ok()) break;
    }
    if (!keepPortOpen) session_.Slots().SlotPort(slot).Close();
  });
  if (slot == kNoPort) {
    // The port vanished or was taken since the scan: say so instead of ending in silence.
    outcome_.failure = DownloadFailure::PortNotOpened;
    outcome_.openError = error == 0 ? OpenErrorKind::Other : OpenErrorKindOf(error);
    ui_.ShowFailure(outcome_);
    return kNoPort;
  }
  if (!outcome_.ok() && outcome_.failure != DownloadFailure::Cancelled) ui_.ShowFailure(outcome_);
  return slot;  // also after a refused packet: the test window still talks to the module
}

int Downloader::FindDownloadTarget() {
  int target = kNoTarget;
  int matches = 0;
  PortStatusTable& table = session_.PortStatus;
  bool portHeld = false;
  for (int row = 1; row < table.RowCount(); ++row) {
    // The table keeps one empty row even without ports; only rows with a finding count.
    if (std::size_t(row - 1) >= session_.Findings.size()) break;
    const PortFinding& finding = session_.Findings[std::size_t(row - 1)];
    portHeld = portHeld || finding.openError == OpenErrorKind::InUse;
    if (finding.moduleType == session_.DownloadModule) {
      table.SetCell(kMarkColumn, row, QStringLiteral("+"));
      ++matches;
      target = row - 1;
    }
  }
  if (matches == 0) {
    // A port held by another program may be the robot's: say that rather than "not found".
    outcome_.failure = portHeld ? DownloadFailure::PortNotOpened : DownloadFailure::NoRobot;
    outcome_.openError = portHeld ? OpenErrorKind::InUse : OpenErrorKind::None;
    ui_.ShowFailure(outcome_);
    ui_.CloseProgress();
    return kNoTarget;
  }
  if (matches > 1) {
    ui_.CloseProgress();
    if (ui_.OpenProgress(Text(kChoiceText)) == kDownloadModalResult) {
      const int chosenRow = ui_.SelectedRow();
      // Only a marked row can be chosen; anything else counts as no choice.
      if (chosenRow >= 1 && table.Cell(kMarkColumn, chosenRow) == QStringLiteral("+")) {
        target = chosenRow - 1;
        session_.RefreshDisplay(false);
        ui_.OpenProgress(QString());
      } else {
        target = kNoTarget;
      }
    } else {
      target = kNoTarget;
    }
    if (target == kNoTarget) outcome_.failure = DownloadFailure::NoChoice;
  }
  if (target > -1) {
    table.MakeRowVisible(target + 1);
    ui_.RowChanged(target + 1);
  }
  return target;
}

DownloadFailure Downloader::SendOnePacket(TSerial& port, const Packet& packet) {
  port.WriteBuffer(packet.data(), kPacketSize, protocol::kWriteTimeoutMs);
  // The module echoes every byte; an echo that differs means the two sides no longer agree
  // on where a packet starts, so its status byte cannot be trusted either.
  const int echoed = port.Read(kPacketSize, protocol::kPacketEchoTimeoutMs);
  if (echoed != kPacketSize || !std::equal(packet.begin(), packet.end(), port.Buffer().begin())) {
    return DownloadFailure::BadEcho;
  }
  const int status = port.ReadByte(protocol::kStatusTimeoutMs);
  if (status == protocol::kStatusGood) return DownloadFailure::None;
  if (status == protocol::kStatusVerifyError) return DownloadFailure::VerifyError;
  return status < 0 ? DownloadFailure::NoStatus : DownloadFailure::BadStatus;
}

DownloadOutcome Downloader::SendPackets(std::uint8_t module, int program, int slot, DownloadUi* progress) {
  DownloadUi& shown = progress != nullptr ? *progress : ui_;
  DownloadOutcome outcome;
  outcome.totalPackets = int(session_.PacketBuffer.size());
  TSerial& port = session_.Slots().SlotPort(slot);

  // The handshake puts the module into its download mode; what it finds does not matter here.
  IdentifyResult ignored;
  Identify(port, module, session_.DownloadModule, {}, ignored);
  if (module == kVD2E || module == kVD2SX || module == kVD2P) {
    port.WriteByte(std::uint8_t(program), protocol::kWriteTimeoutMs);
    port.Read(1, protocol::kProgramNumberEchoTimeoutMs);
  }

  QElapsedTimer ticks;
  ticks.start();
  qint64 last = -kMarkerPeriodMs;
  for (const Packet& packet : session_.PacketBuffer) {
    if (session_.Cancelled) {
      outcome.failure = DownloadFailure::Cancelled;
      break;
    }
    if (ticks.elapsed() >= last + kMarkerPeriodMs) {
      shown.ToggleMarker();
      last = ticks.elapsed();
    }
    outcome.failure = SendOnePacket(port, packet);
    // The bar counts every packet that went out, the refused one included.
    shown.StepIt(program);
    if (!outcome.ok()) {
      outcome.failingPacket = outcome.acceptedPackets + 1;
      break;
    }
    ++outcome.acceptedPackets;
  }
  // Anything after the last status byte means a byte was lost or added on the way, so a
  // status taken as good may have been some other byte.
  if (outcome.ok() && outcome.totalPackets > 0 && port.ReadByte(protocol::kTrailingQuietMs) >= 0) {
    outcome.failure = DownloadFailure::TrailingBytes;
    outcome.failingPacket = outcome.totalPackets;
    outcome.acceptedPackets = outcome.totalPackets - 1;
  }
  // The closing zero, whether every packet went through or not.
  port.WriteByte(protocol::kEndOfDownload, protocol::kWriteTimeoutMs);
  return outcome;
}

}  // namespace comm
