#pragma once
// The tokenizer's input and output record: source text and target in, image, packets or
// an error text with its position out.

#include <cstdint>

namespace tok {

constexpr int SourceCapacity = 65536;  // characters, including the room error texts use at the end
constexpr int EEPROMSize = 2048;
constexpr int ProjectFileLimit = 7;
constexpr int PacketLimit = 128;
constexpr int PacketSize = 18;

// Module types, the same numbers everywhere.
enum ModuleType : uint8_t { ModuleNone = 0, ModuleVD1, ModuleVD2, ModuleVD2E, ModuleVD2SX, ModuleVD2P, ModuleVD2PE };

// EEPROMFlags bits 0-1 and bit 7.
constexpr uint8_t FlagUseMask = 3;
constexpr uint8_t FlagReserved = 1;  // reserved by DATA without a value
constexpr uint8_t FlagData = 2;      // valued DATA
constexpr uint8_t FlagCode = 3;      // object code
constexpr uint8_t FlagDownload = 2;  // bit 1: the byte is to be downloaded (code or valued data)
constexpr uint8_t FlagPacked = 128;  // the byte went into a packet

struct ResultRecord {
  uint8_t Success = 0;
  const char* ErrorText = nullptr;  // points into the end of Source
  uint8_t DebugFlag = 0;
  int32_t DebugCount = 0;
  uint8_t TargetModule = 0;
  int32_t TargetStart = 0;
  const char* ProjectFiles[ProjectFileLimit] = {};  // point into Source
  int32_t ProjectFileStarts[ProjectFileLimit] = {};
  const char* Port = nullptr;  // points into Source
  int32_t PortStart = 0;
  int32_t LanguageVersion = 0;  // 100, 200 or 250
  int32_t LanguageStart = 0;
  char Source[SourceCapacity] = {};
  int32_t SourceSize = 0;
  int32_t ErrorStart = 0;
  int32_t ErrorLength = 0;
  uint8_t EEPROM[EEPROMSize] = {};
  uint8_t EEPROMFlags[EEPROMSize] = {};
  uint8_t VarCounts[4] = {};  // bits, nibbles, bytes, words
  uint8_t ModuleBytes[5] = {};
  uint8_t PacketCount = 0;
  uint8_t PacketBuffer[PacketLimit * PacketSize] = {};
};

}  // namespace tok
