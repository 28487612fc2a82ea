#pragma once
// The download: compile the program text, scan the ports, let the user choose among several
// robots, check the firmware version, and send the packets with an acknowledgement each.

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

#include "comm/DownloadOutcome.h"
#include "comm/DownloadUi.h"
#include "comm/Session.h"

namespace tok {
class Tokenizer;
}

namespace comm {

// FindDownloadTarget's "no target".
inline constexpr int kNoTarget = -10;

// The version text that a module of each type 0..5 must report before a download.
const std::array<QString, 6>& RequiredVersions();

class Downloader {
 public:
  // The tokenizer may be null for a caller that only downloads what is already prepared.
  Downloader(Session& session, DownloadUi& ui, tok::Tokenizer* tokenizer);

  // Compiles the program text and prepares the download state. False when the compilation
  // failed or gave no packet; errorText() then says why.
  bool TokenizeProgram(const QStringList& programText);
  // Compile, then download; the slot number that was used, or kNoPort.
  int DownloadTokenization(bool keepPortOpen, const QStringList& programText);
  // Download what the last compilation produced; the slot number, or kNoPort.
  int DownloadIt(bool keepPortOpen);
  // The PortList index of the chosen module, or kNoTarget.
  int FindDownloadTarget();
  // The wire exchange of program p on an open slot: which packets the module accepted, and
  // why and where it stopped. Shows no message; the marker and the bar go to `progress`
  // (the window side itself when null). Runs on the thread that opened the slot.
  DownloadOutcome SendPackets(std::uint8_t module, int program, int slot, DownloadUi* progress = nullptr);

  // The tokenizer's error text after a failed TokenizeProgram (or the reason it never ran).
  QString errorText() const { return errorText_; }
  // Whether the last DownloadIt had every packet acknowledged.
  bool lastDownloadComplete() const { return outcome_.ok(); }
  // How the last DownloadIt ended.
  const DownloadOutcome& lastOutcome() const { return outcome_; }

 private:
  Session& session_;
  DownloadUi& ui_;
  tok::Tokenizer* tokenizer_;
  // The version check, the port opened again and every program sent; the slot or kNoPort.
  int DownloadTo(int target, bool keepPortOpen);
  DownloadFailure SendOnePacket(TSerial& port, const Packet& packet);

  QString errorText_;
  DownloadOutcome outcome_{DownloadFailure::NothingToSend};
};

}  // namespace comm
