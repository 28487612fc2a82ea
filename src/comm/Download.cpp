#include "comm/Download.h"

#include <QElapsedTimer>

#include "app/core/Services.h"
#include "app/core/Texts.h"
#include "comm/Identify.h"
#include "comm/PortScanner.h"

namespace comm {
namespace {

constexpr int kWriteTimeout = 1000;
constexpr int kEchoTimeout = 1000;
constexpr int kStatusTimeout = 240;
constexpr int kProgramNumberEchoTimeout = 240;
// The marker blinks at most once per 25 ms so that it does not slow the packet loop.
constexpr qint64 kMarkerPeriodMs = 25;
constexpr std::uint8_t kStatusGood = 0;
constexpr std::uint8_t kStatusVerifyError = 2;

}  // namespace

const std::array<QString, 6>& RequiredVersions() {
  static const std::array<QString, 6> versions = {
      QString(), QStringLiteral("v0.0"), QStringLiteral("v1.0"),
      QStringLiteral("v1.0"), QStringLiteral("v1.0"), QStringLiteral("v1.2")};
  return versions;
}

Downloader::Downloader(Session& session, DownloadUi& ui, tok::Tokenizer* tokenizer)
    : session_(session), ui_(ui), tokenizer_(tokenizer) {}

int Downloader::DownloadIt(bool keepPortOpen) {
  int result = kNoPort;
  complete_ = false;
  ui_.SetBusyCursor(true);
  if (session_.ProgramCount == 0) {
    ui_.SetBusyCursor(false);
    return result;
  }
  session_.RefreshDisplay(true);
  ui_.OpenProgress(QString());
  ScanPorts(session_, ui_);

  const int target = FindDownloadTarget();
  if (target == kNoTarget) {
    ui_.SetBusyCursor(false);
    return kNoPort;
  }
  const int row = target + 1;
  ui_.PlaceMarker(row);

  const QString version = session_.PortStatus.Cell(kVersionColumn, row);
  if (version != RequiredVersions()[session_.DownloadModule]) {
    ui_.ShowError(QStringLiteral("Cannot download to this version of the device."));
  } else {
    const int slot = session_.Slots().AcquirePort(session_.PortList.value(target), nullptr);
    if (slot != kNoPort) {
      complete_ = true;
      for (int p = 0; p < session_.ProgramCount; ++p) {
        if (!SendPackets(session_.DownloadModule, p, slot)) {
          complete_ = false;
          break;
        }
      }
      if (!keepPortOpen) session_.Slots().SlotPort(slot).Close();
      result = slot;  // also after a refused packet: the test window still talks to the module
    }
  }
  ui_.CloseProgress();
  ui_.SetBusyCursor(false);
  return result;
}

int Downloader::FindDownloadTarget() {
  int target = kNoTarget;
  int matches = 0;
  PortStatusTable& table = session_.PortStatus;
  for (int row = 1; row < table.RowCount(); ++row) {
    const int type = app::TextToInt(table.Cell(kTypeColumn, row));
    if (std::uint8_t(type) == session_.DownloadModule) {
      table.SetCell(kMarkColumn, row, QStringLiteral("+"));
      ++matches;
      target = row - 1;
    }
  }
  if (matches == 0) {
    ui_.ShowError(app::LoadText(412));
    ui_.CloseProgress();
    return kNoTarget;
  }
  if (matches > 1) {
    ui_.CloseProgress();
    if (ui_.OpenProgress(app::LoadText(413)) == kDownloadModalResult) {
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
  }
  if (target > -1) {
    table.MakeRowVisible(target + 1);
    ui_.RowChanged(target + 1);
  }
  return target;
}

bool Downloader::SendPackets(std::uint8_t module, int program, int slot) {
  bool result = true;
  TSerial& port = session_.Slots().SlotPort(slot);

  // The handshake puts the module into its download mode; what it finds does not matter here.
  IdentifyResult ignored;
  Identify(port, module, session_.DownloadModule, ignored);
  if (module == kVD2E || module == kVD2SX || module == kVD2P) {
    port.WriteByte(std::uint8_t(program), kWriteTimeout);
    port.Read(1, kProgramNumberEchoTimeout);
  }

  QElapsedTimer ticks;
  ticks.start();
  qint64 last = -kMarkerPeriodMs;
  for (const Packet& packet : session_.PacketBuffer) {
    if (ticks.elapsed() >= last + kMarkerPeriodMs) {
      ui_.ToggleMarker();
      last = ticks.elapsed();
    }
    port.WriteBuffer(packet.data(), kPacketSize, kWriteTimeout);
    port.Read(kPacketSize, kEchoTimeout);  // the echo, not compared
    const int status = port.ReadByte(kStatusTimeout);
    if (status == kStatusVerifyError) {
      ui_.ShowError(app::LoadText(392));
      result = false;
    } else if (status != kStatusGood) {
      ui_.ShowError(app::LoadText(393));
      result = false;
    }
    // The bar counts every packet that went out, the refused one included.
    ui_.StepIt(program);
    if (!result) break;
  }
  // The closing zero, whether every packet went through or not.
  port.WriteByte(0, kWriteTimeout);
  return result;
}

}  // namespace comm
