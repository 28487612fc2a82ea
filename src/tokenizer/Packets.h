#pragma once
// Cutting the finished EEPROM image into the 18-byte download packets.

#include "tokenizer/TokenizeResult.h"

namespace tok {

// One packet for every 16-byte block holding a byte to download (code or valued data), in
// ascending block order. Every packed byte gets FlagPacked. Reserved-only blocks are not sent.
void BuildPacketsFrom(ResultRecord& result);

}  // namespace tok
