#pragma once
// The test program's exchange: four command bytes out (right then left servo pulse width,
// low byte first), their echo back, then the sensor byte.

#include <array>
#include <cstdint>

#include "comm/Serial.h"

namespace comm {

using TestCommand = std::array<std::uint8_t, 4>;

// One exchange on an open port: ReadByte's answer for the sensor byte (-1 when none came).
int TestExchange(TSerial& port, const TestCommand& command);

}  // namespace comm
