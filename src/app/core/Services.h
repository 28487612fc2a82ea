#pragma once
#include <QString>
#include <cstdint>

namespace app {

// Lenient decimal conversion: characters that cannot begin a number are skipped, then an
// optional sign and the digits up to the first non-digit are read ("COM3" gives 3, "12ab"
// gives 12); no digits give 0. Values beyond 32 bits saturate instead of wrapping.
std::int32_t TextToInt(const QString& text);

// Returns when at least `milliseconds` have passed on the monotonic clock. A busy wait that
// does not run window events; the identification threads use it too.
void WaitMs(int milliseconds);

}  // namespace app
