// The waits of the identification code busy-wait on the real clock. Programs that link this
// file with -Wl,--wrap=_ZN3app6WaitMsEi (app::WaitMs) get a clock that only counts, so the
// scripted link costs no real time.

#include <atomic>

#include "../CommChecks.h"

namespace {
std::atomic<long long> waitedMs{0};
}

extern "C" void __wrap__ZN3app6WaitMsEi(int milliseconds) {
  if (milliseconds > 0) waitedMs += milliseconds;
}

namespace fuzz {
long long TakeWaitedMs() { return waitedMs.exchange(0); }
}  // namespace fuzz
