#pragma once
namespace rovalis {
// The build's version ("1.3"), compiled in from the CMake project version.
const char* ProjectVersion();
}  // namespace rovalis
