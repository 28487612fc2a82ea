#include "tokenizer/ImageReport.h"

#include <cstdio>

namespace tok {
namespace {

const char* const ModuleNames[] = {"none", "VD1", "VD2", "VD2E", "VD2SX", "VD2P", "VD2PE"};
constexpr int Vd1ImageSize = 256;
constexpr int BlockBytes = 16;
constexpr int BlocksPerLine = 32;

std::string Format(const char* format, auto... values) {
  char buffer[256];
  std::snprintf(buffer, sizeof buffer, format, values...);
  return buffer;
}

}  // namespace

ImageUsage Usage(const ResultRecord& r) {
  ImageUsage u;
  u.ImageSize = r.TargetModule == ModuleVD1 ? Vd1ImageSize : EEPROMSize;
  for (int i = 0; i < u.ImageSize; ++i) {
    const int use = r.EEPROMFlags[i] & FlagUseMask;
    if (use == FlagCode) {
      ++u.CodeBytes;
    } else if (use != 0) {
      ++u.DataBytes;
    }
  }
  u.FreeBytes = u.ImageSize - u.CodeBytes - u.DataBytes;
  return u;
}

std::string Summary(const ResultRecord& r) {
  const ImageUsage u = Usage(r);
  const char* module = r.TargetModule < 7 ? ModuleNames[r.TargetModule] : "unknown";
  return Format(
      "%s, Tessic %d.%d: %d code bytes, %d data bytes, %d free bytes, %d packets, variables: %d bits, %d "
      "nibs, "
      "%d bytes, %d words",
      module, r.LanguageVersion / 100, r.LanguageVersion % 100 / 10, u.CodeBytes, u.DataBytes, u.FreeBytes,
      r.PacketCount, r.VarCounts[0], r.VarCounts[1], r.VarCounts[2], r.VarCounts[3]);
}

std::string IntelHex(const ResultRecord& r) {
  std::string out;
  const int size = r.TargetModule == ModuleVD1 ? Vd1ImageSize : EEPROMSize;
  for (int address = 0; address < size; address += BlockBytes) {
    bool send = false;
    for (int i = 0; i < BlockBytes; ++i) send |= (r.EEPROMFlags[address + i] & FlagDownload) != 0;
    if (!send) continue;
    unsigned sum = BlockBytes + (address >> 8) + (address & 0xFF);
    out += Format(":%02X%04X00", BlockBytes, address);
    for (int i = 0; i < BlockBytes; ++i) {
      out += Format("%02X", r.EEPROM[address + i]);
      sum += r.EEPROM[address + i];
    }
    out += Format("%02X\n", (256 - sum % 256) % 256);
  }
  return out + ":00000001FF\n";
}

BlockUse BlockClass(const ResultRecord& r, int block) {
  int strongest = 0;  // 0 empty, 1 reserved, 2 data, 3 code
  for (int i = block * BlockBytes; i < (block + 1) * BlockBytes; ++i) {
    const int use = r.EEPROMFlags[i] & FlagUseMask;
    if (use > strongest) strongest = use;
  }
  static const BlockUse byUse[] = {BlockUse::Empty, BlockUse::Reserved, BlockUse::Data, BlockUse::Code};
  return byUse[strongest];
}

std::string BlockMap(const ResultRecord& r) {
  const int blocks = (r.TargetModule == ModuleVD1 ? Vd1ImageSize : EEPROMSize) / BlockBytes;
  std::string out = "EEPROM map (one character per 16 bytes; C code, D data, r reserved, . empty):\n";
  for (int b = 0; b < blocks; b += BlocksPerLine) {
    out += Format("  %04X  ", b * BlockBytes);
    for (int i = b; i < b + BlocksPerLine && i < blocks; ++i) out += static_cast<char>(BlockClass(r, i));
    out += '\n';
  }
  return out;
}

}  // namespace tok
