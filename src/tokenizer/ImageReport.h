#pragma once
// What a finished compilation holds, for people and programmer tools: byte counts of the image,
// the Intel HEX text of the bytes to download, and a map of the EEPROM's 16-byte blocks.

#include <string>

#include "tokenizer/TokenizeResult.h"

namespace tok {

struct ImageUsage {
  int CodeBytes = 0;
  int DataBytes = 0;  // valued and reserved DATA bytes
  int FreeBytes = 0;
  int ImageSize = EEPROMSize;  // 256 on the VD1
};

ImageUsage Usage(const ResultRecord& r);

// One line: module, language version, code, data and free bytes, packets, variable cells.
std::string Summary(const ResultRecord& r);

// Intel HEX records (type 00, 16 bytes each) of every downloaded block at its EEPROM address,
// then the end record.
std::string IntelHex(const ResultRecord& r);

// Block classes of the map: code wins over data, data over reserved.
enum class BlockUse : char { Empty = '.', Reserved = 'r', Data = 'D', Code = 'C' };
BlockUse BlockClass(const ResultRecord& r, int block);

// The block map, 32 blocks (512 bytes) per line, with a legend.
std::string BlockMap(const ResultRecord& r);

}  // namespace tok
