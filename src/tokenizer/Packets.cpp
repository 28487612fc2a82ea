#include "tokenizer/Packets.h"

#include "tokenizer/BitLayout.h"
#include "tokenizer/Passes.h"
#include "tokenizer/Tokenizer.h"

namespace tok {

static_assert(EEPROMSize / layout::BlockSize == PacketLimit, "one packet per block at most");

void BuildPacketsFrom(ResultRecord& result) {
  result.PacketCount = 0;
  for (int block = 0; block < EEPROMSize / layout::BlockSize; ++block) {
    const int base = block * layout::BlockSize;
    bool send = false;
    for (int i = 0; i < layout::BlockSize; ++i) send |= (result.EEPROMFlags[base + i] & FlagDownload) != 0;
    if (!send) continue;
    uint8_t* packet = result.PacketBuffer + result.PacketCount * PacketSize;
    packet[0] = layout::PacketHeader(block);
    unsigned sum = packet[0];
    for (int i = 0; i < layout::BlockSize; ++i) {
      packet[1 + i] = result.EEPROM[base + i];
      result.EEPROMFlags[base + i] |= FlagPacked;
      sum += packet[1 + i];
    }
    packet[PacketSize - 1] = layout::PacketChecksum(sum);
    ++result.PacketCount;
  }
}

void BuildPackets(Tokenizer& t) {
  BuildPacketsFrom(t.TokenizeResult);
}

}  // namespace tok
