#include "comm/DownloadOutcome.h"

#include "comm/SerialDevice.h"

namespace comm {

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

}  // namespace comm
