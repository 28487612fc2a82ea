#pragma once
// The tokenizer's input and output record: source text and target in, image, packets or
// an error text with its position out.

#include <cstdint>

#include "protocol/RobotProtocol.h"

namespace tok {

constexpr int SourceCapacity = 65536;  // characters, including the end marker; a VD1 compile puts its
                                       // debug text area in the last 1024
constexpr int EEPROMSize = protocol::kEepromSize;
constexpr int ProjectFileLimit = 7;
constexpr int PacketLimit = protocol::kPacketLimit;
constexpr int PacketSize = protocol::kPacketSize;

// Module types: the wire's numbering under the compiler's names.
using ModuleType = protocol::ModuleType;
inline constexpr ModuleType ModuleNone = protocol::kNoModule;
inline constexpr ModuleType ModuleVD1 = protocol::kVD1;
inline constexpr ModuleType ModuleVD2 = protocol::kVD2;
inline constexpr ModuleType ModuleVD2E = protocol::kVD2E;
inline constexpr ModuleType ModuleVD2SX = protocol::kVD2SX;
inline constexpr ModuleType ModuleVD2P = protocol::kVD2P;
inline constexpr ModuleType ModuleVD2PE = protocol::kVD2PE;

// EEPROMFlags bits 0-1 and bit 7.
constexpr uint8_t FlagUseMask = 3;
constexpr uint8_t FlagReserved = 1;  // reserved by DATA without a value
constexpr uint8_t FlagData = 2;      // valued DATA
constexpr uint8_t FlagCode = 3;      // object code
constexpr uint8_t FlagDownload = 2;  // bit 1: the byte is to be downloaded (code or valued data)
constexpr uint8_t FlagPacked = 128;  // the byte went into a packet

struct ResultRecord {
  uint8_t Success = 0;
  const char* ErrorText = nullptr;  // owned by the tokenizer, valid until its next error
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
