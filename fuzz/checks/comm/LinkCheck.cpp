// Identification and download over a scripted link. The module on the other end answers
// each write with the next chunk of the fuzzer's bytes (a length byte, then that many
// bytes); a read finds what has been answered so far and otherwise times out at once, adding
// its time-out to a virtual clock. Whatever comes back, the exchange ends within a number of
// reads and a virtual time fixed by the packet count, and reports what happened honestly.

#include <QCoreApplication>
#include <algorithm>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "../CommChecks.h"
#include "comm/Download.h"
#include "comm/DownloadUi.h"
#include "comm/Identify.h"
#include "comm/PortSlots.h"
#include "comm/SerialDevice.h"
#include "comm/Session.h"

namespace fuzz {
namespace {

struct Script {
  Bytes bytes;
  std::size_t next = 0;
  std::deque<std::uint8_t> input;
  long long virtualMs = 0;
  int calls = 0;
  std::vector<std::uint8_t> written;
};

Script* current = nullptr;
LinkOutcome lastOutcome;

class ScriptedDevice : public comm::SerialDevice {
 public:
  std::uint32_t Open(const QString&) override { return 0; }
  bool SettingsReadable() override { return true; }
  void Configure(int, bool, int) override {}
  void Close() override {}
  int Read(std::uint8_t* data, int max, int timeoutMs) override {
    Script& s = *current;
    ++s.calls;
    int n = 0;
    while (n < max && !s.input.empty()) {
      data[n++] = s.input.front();
      s.input.pop_front();
    }
    if (n < max) s.virtualMs += std::max(timeoutMs, 0);
    return n;
  }
  int Waiting() override { return static_cast<int>(current->input.size()); }
  bool Write(const std::uint8_t* data, int count, int) override {
    Script& s = *current;
    ++s.calls;
    s.written.insert(s.written.end(), data, data + count);
    if (s.next < s.bytes.size()) {
      const std::size_t wanted = s.bytes[s.next++] & 31;
      const std::size_t length = std::min(wanted, s.bytes.size() - s.next);
      s.input.insert(s.input.end(), s.bytes.begin() + long(s.next), s.bytes.begin() + long(s.next + length));
      s.next += length;
    }
    return true;
  }
  void SetDtr(bool) override {}
  void SetRts(bool) override {}
  void SetBreak(bool) override {}
  std::uint32_t ModemStatus() override { return 0; }
};

class CountingUi : public comm::DownloadUi {
 public:
  int OpenProgress(const QString&) override { return -1; }
  int SelectedRow() override { return -1; }
  void CloseProgress() override {}
  void SetScanning(bool) override {}
  void RowChanged(int) override {}
  void PlaceMarker(int) override {}
  void ToggleMarker() override {}
  void StepIt(int) override { ++steps; }
  void SetBusyCursor(bool) override {}
  void ShowError(const QString&) override { ++errors; }
  void ShowFailure(const comm::DownloadOutcome&) override { ++errors; }
  void ShowTokenizeFailure(const QString&, const QString&) override { ++errors; }
  int steps = 0;
  int errors = 0;
};

void EnsureCoreApplication() {
  if (QCoreApplication::instance()) return;
  static int argc = 1;
  static char name[] = "fuzz_link";
  static char* argv[] = {name, nullptr};
  static QCoreApplication app(argc, argv);
}

comm::Packet MakePacket(int block, std::uint8_t fill) {
  comm::Packet p{};
  p.fill(fill);
  p[0] = static_cast<std::uint8_t>(0x80 + block);
  unsigned sum = 0;
  for (int i = 0; i < comm::kPacketSize - 1; ++i) sum += p[i];
  p[comm::kPacketSize - 1] = static_cast<std::uint8_t>(-sum);
  return p;
}

}  // namespace

std::string CheckIdentifyAndDownload(Bytes input) {
  if (input.size() < 2) return {};
  EnsureCoreApplication();
  const int type = 2 + (input[0] & 7) % 5;  // bits 0-2: the module type, bits 3-7: the packets
  const int packets = (input[0] >> 3) % 17;
  const bool download = (input[1] & 1) != 0;

  Script script;
  script.bytes = input.subspan(2);
  current = &script;
  TakeWaitedMs();
  lastOutcome = {};

  comm::PortSlots portSlots([] { return std::make_unique<ScriptedDevice>(); });
  comm::Session session(portSlots);
  session.DownloadModule = static_cast<std::uint8_t>(type);
  const int slot = portSlots.AcquirePort(QStringLiteral("ttyFUZZ0"), nullptr);
  if (slot == comm::kNoPort) return "the scripted port did not open";
  comm::TSerial& port = portSlots.SlotPort(slot);

  comm::IdentifyResult id;
  const bool found = comm::Identify(port, type, session.DownloadModule, {}, id);
  if (found != (id.ModuleType != comm::kNoModule))
    return "Identify's answer differs from the module type it reports";
  if (found && id.ModuleType != type) return "Identify found another type than it looked for";
  lastOutcome.identified = found;
  if (found && id.VersionText.isEmpty()) return "a module found without a version";
  if (!found && (!id.DeviceText.isEmpty() || !id.VersionText.isEmpty()))
    return "a failed identification left texts behind";

  if (download) {
    for (int k = 0; k < packets; ++k)
      session.PacketBuffer.push_back(MakePacket(k, static_cast<std::uint8_t>(k * 37)));
    session.ProgramCount = 1;
    session.ProgramPackets[0] = packets;
    CountingUi ui;
    comm::Downloader downloader(session, ui, nullptr);
    const comm::DownloadOutcome outcome = downloader.SendPackets(static_cast<std::uint8_t>(type), 0, slot);
    const bool sent = outcome.ok();
    lastOutcome.downloaded = sent;
    if (ui.errors != 0) return "the wire exchange showed a message itself";
    if (sent && (outcome.acceptedPackets != packets || outcome.failingPacket != 0))
      return "a successful download did not account for every packet";
    if (!sent && (outcome.failingPacket < 1 || outcome.failingPacket > packets))
      return "a failed download did not name a packet it sent";
    if (sent && ui.steps != packets) return "a successful download did not step once per packet";
    if (ui.steps > packets) return "the progress bar went past the packet count";
    if (script.written.empty() || script.written.back() != 0)
      return "the download did not end with its closing zero";
  }
  port.Close();

  // Two identifications (one inside the download), three reads or writes per packet, the
  // quiet check after the last status.
  const long long waited = script.virtualMs + TakeWaitedMs();
  if (script.calls > 2 * 20 + 3 * packets + 5)
    return "too many reads and writes: " + std::to_string(script.calls);
  if (waited > 2 * 4000 + 2500LL * packets + 2000)
    return "the exchange outlasted its time-outs: " + std::to_string(waited) + " ms";
  current = nullptr;
  return {};
}

LinkOutcome LastLinkOutcome() {
  return lastOutcome;
}

}  // namespace fuzz
