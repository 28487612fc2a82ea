#include "comm/DownloadOutcome.h"

#include "comm/SerialDevice.h"

namespace comm {
namespace {
// "Paquete %1 de %2.": names the packet of a communication error.
constexpr int kPacketNameText = 460;
}  // namespace

OpenErrorKind OpenErrorKindOf(std::uint32_t code) {
  if (code == 0) return OpenErrorKind::None;
  if (code == kNoSuchDevice) return OpenErrorKind::NoSuchPort;
  if (code == kAccessDenied) return OpenErrorKind::InUse;
  return OpenErrorKind::Other;
}

int FailureTextNumber(const DownloadOutcome& outcome) {
  switch (outcome.failure) {
    case DownloadFailure::NoRobot:
      return 412;
    case DownloadFailure::PortNotOpened:
      switch (outcome.openError) {
        case OpenErrorKind::NoSuchPort:
          return 389;
        case OpenErrorKind::InUse:
          return 390;
        default:
          return 391;
      }
    case DownloadFailure::VerifyError:
      return 392;
    case DownloadFailure::BadEcho:
    case DownloadFailure::BadStatus:
    case DownloadFailure::NoStatus:
    case DownloadFailure::TrailingBytes:
      return 393;
    default:
      return 0;
  }
}

QString FailureText(const DownloadOutcome& outcome, const std::function<QString(int)>& text) {
  if (outcome.failure == DownloadFailure::WrongVersion)
    return QStringLiteral("Cannot download to this version of the device.");
  const int number = FailureTextNumber(outcome);
  if (number == 0) return {};
  if (number != 393 || outcome.failingPacket == 0) return text(number);
  // Name the packet, so that a lost byte and a dead line can be told apart.
  return text(393) + QStringLiteral(" ") +
         text(kPacketNameText).arg(outcome.failingPacket).arg(outcome.totalPackets);
}

}  // namespace comm
