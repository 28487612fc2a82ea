#pragma once
// The identification and download code fed by a scripted link whose module answers with the
// fuzzer's bytes. Needs Qt, so it lives apart from the pure checks.

#include "Checks.h"

namespace fuzz {

// First byte: module type to identify (2..6 by its value modulo 5) and the number of packets
// to send (high bits). Second byte: bit 0 whether the download follows. The rest is what the
// link answers, one byte per read, in order; reads past the end time out.
std::string CheckIdentifyAndDownload(Bytes input);

// What the last CheckIdentifyAndDownload saw, for tests of the check itself.
struct LinkOutcome {
  bool identified = false;
  bool downloaded = false;  // SendPackets reported every packet acknowledged
};
LinkOutcome LastLinkOutcome();

// Milliseconds that the waits of the code under test asked for since the last call (the
// scripted link never really waits; see FakeClock.cpp).
long long TakeWaitedMs();

}  // namespace fuzz
