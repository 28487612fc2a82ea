#pragma once
// What a download ended with, as values: the windows and the command-line tool turn it into
// the texts of the text table.

#include <QString>
#include <cstdint>
#include <functional>

namespace comm {

// Why a port could not be opened.
enum class OpenErrorKind : std::uint8_t {
  None,
  NoSuchPort,  // the device does not exist (any more)
  InUse,       // another program holds it
  Other,       // anything else, including no free slot
};

enum class DownloadFailure : std::uint8_t {
  None,
  NothingToSend,  // no compiled program
  NoRobot,        // no module of the wanted type answered
  NoChoice,       // several answered and the user chose none
  WrongVersion,   // the chosen module's firmware is not the one required
  PortNotOpened,  // the port vanished or is held between scan and download (see openError)
  VerifyError,    // status 2: the module could not write its EEPROM
  BadEcho,        // the echo of a packet differs from the packet (or is incomplete)
  BadStatus,      // a status byte that means nothing
  NoStatus,       // no status byte within its time-out
  TrailingBytes,  // bytes still arrived after the last status: the two sides disagree
  Cancelled,      // the user or a signal stopped the download
};

struct DownloadOutcome {
  DownloadFailure failure = DownloadFailure::None;
  OpenErrorKind openError = OpenErrorKind::None;
  int acceptedPackets = 0;
  // 1-based number of the packet that failed, 0 when none did.
  int failingPacket = 0;
  int totalPackets = 0;
  bool ok() const { return failure == DownloadFailure::None; }
};

// Classifies an open failure code of the serial device.
OpenErrorKind OpenErrorKindOf(std::uint32_t code);

// The text number that tells the user about a failure, 0 when there is none to show.
int FailureTextNumber(const DownloadOutcome& outcome);

// The message for a failed download in the words of `text` (the caller's text table):
// the text of its number, naming the packet when one failed.
QString FailureText(const DownloadOutcome& outcome, const std::function<QString(int)>& text);

}  // namespace comm
