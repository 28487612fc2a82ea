#include "app/core/Version.h"

namespace rovalis {
const char* ProjectVersion() { return ROVALIS_VERSION; }
}  // namespace rovalis
