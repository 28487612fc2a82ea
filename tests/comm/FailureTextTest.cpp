#include <gtest/gtest.h>

#include "comm/DownloadOutcome.h"

namespace {

using comm::DownloadFailure;
using comm::OpenErrorKind;

// A table that only says which number was asked for, so the test sees the wording rules.
QString Numbered(int number) {
  return QStringLiteral("<%1>").arg(number);
}

}  // namespace

TEST(FailureText, WordsEveryFailureFromTheCallersTable) {
  struct Case {
    const char* what;
    comm::DownloadOutcome outcome;
    QString expected;
  };
  const Case cases[] = {
      {"no robot", {DownloadFailure::NoRobot}, "<412>"},
      {"vanished port", {DownloadFailure::PortNotOpened, OpenErrorKind::NoSuchPort}, "<389>"},
      {"port in use", {DownloadFailure::PortNotOpened, OpenErrorKind::InUse}, "<390>"},
      {"port not opened otherwise", {DownloadFailure::PortNotOpened, OpenErrorKind::Other}, "<391>"},
      {"verify error", {DownloadFailure::VerifyError, OpenErrorKind::None, 4, 5, 9}, "<392>"},
      {"bad echo names its packet", {DownloadFailure::BadEcho, OpenErrorKind::None, 2, 3, 9}, "<393> <460>"},
      {"trailing bytes without a packet", {DownloadFailure::TrailingBytes}, "<393>"},
      {"wrong version", {DownloadFailure::WrongVersion}, "Cannot download to this version of the device."},
      {"cancelled shows nothing", {DownloadFailure::Cancelled}, ""},
      {"success shows nothing", {}, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(comm::FailureText(c.outcome, Numbered), c.expected) << c.what;
}

TEST(FailureText, NamesThePacketWithItsNumberAndTheTotal) {
  const comm::DownloadOutcome outcome{DownloadFailure::NoStatus, OpenErrorKind::None, 6, 7, 12};
  const auto table = [](int number) {
    return number == 460 ? QStringLiteral("Packet %1 of %2.") : Numbered(number);
  };
  EXPECT_EQ(comm::FailureText(outcome, table), "<393> Packet 7 of 12.");
}
