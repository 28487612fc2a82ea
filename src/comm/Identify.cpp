#include "comm/Identify.h"

#include <chrono>
#include <thread>

#include "comm/TextSource.h"

namespace comm {
namespace {

constexpr auto kVD2Bytes = protocol::kVD2Handshake;
constexpr int kFirstEchoTimeout = protocol::kFirstEchoTimeoutMs;
constexpr int kReadTimeout = protocol::kReplyTimeoutMs;
constexpr int kWriteTimeout = protocol::kWriteTimeoutMs;

std::uint8_t IdentificationByte(int type) {
  switch (type) {
    case kVD2E:
      return protocol::kVD2EByte;
    case kVD2SX:
      return protocol::kVD2SXByte;
    default:
      return protocol::kVD2PByte;
  }
}

bool GoodReply(int type, int reply) {
  if (reply < 0) return false;  // a time-out is never in a set
  switch (type) {
    case kVD2E:
      return reply == 0x65;
    case kVD2SX:
      return reply >= 0x58 && reply <= 0x5A;
    default: {
      const int withoutBit5 = reply & ~0x20;
      return withoutBit5 >= 0x50 && withoutBit5 <= 0x56;
    }
  }
}

QString DeviceName(int type, std::uint8_t downloadModule, const QString& moduleName) {
  return type == downloadModule ? moduleName : QString();
}

QChar HexDigit(int value) {
  return QChar::fromLatin1("0123456789ABCDEF"[value & 0xF]);
}

}  // namespace

void SleepMs(int milliseconds) {
  if (milliseconds > 0) std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void ResetPulse(TSerial& port) {
  port.SetDTR(1);
  port.SetBreak(1);
  SleepMs(protocol::kResetDtrMs);
  port.SetDTR(0);
  SleepMs(protocol::kResetBreakMs);
  port.SetBreak(0);
  SleepMs(protocol::kResetSettleMs);
  port.Read(0, 0);
}

bool Identify(TSerial& port, int type, std::uint8_t downloadModule, const QString& moduleName,
              IdentifyResult& result) {
  result.DeviceText.clear();
  result.VersionText.clear();
  result.EchoText = Text(387);
  result.Echo = true;
  result.ModuleType = kNoModule;
  ResetPulse(port);

  if (type == kVD2) {
    for (std::uint8_t b : kVD2Bytes) {
      port.WriteByte(b, kWriteTimeout);
      const int echo = port.ReadByte(kFirstEchoTimeout);
      if ((echo & 0xFF) != b) {
        result.Echo = false;
        result.EchoText = Text(388);
        return false;
      }
      const int reply = port.ReadByte(kReadTimeout);
      if (reply < 0 || 256 - reply != b) return false;
    }
    port.WriteByte(0, kWriteTimeout);
    port.Read(1, kReadTimeout);
    // Any version byte is accepted here (a time-out reads as vF.F); the download judges it.
    const int version = port.ReadByte(kReadTimeout) & 0xFF;
    result.DeviceText = DeviceName(kVD2, downloadModule, moduleName);
    result.VersionText =
        QStringLiteral("v") + HexDigit(version >> 4) + QStringLiteral(".") + HexDigit(version);
    result.ModuleType = kVD2;
    return true;
  }

  const std::uint8_t id = IdentificationByte(type);
  port.WriteByte(id, kWriteTimeout);
  port.Read(1, kReadTimeout);
  int reply = port.ReadByte(kReadTimeout);
  if (!GoodReply(type, reply)) return false;
  result.DeviceText = DeviceName(type, downloadModule, moduleName);
  result.ModuleType = std::uint8_t(type);
  if (type == kVD2P) {
    // Bit 5 clear: the 40-pin package; set: the 24-pin one. Appended even to an empty name.
    if (reply >= 0x50 && reply <= 0x56) {
      result.DeviceText += QStringLiteral("40");
    } else {
      result.DeviceText += QStringLiteral("24");
      reply &= ~0x20;
    }
  }
  result.VersionText = QStringLiteral("v1.") + QString::number(reply - id);
  return true;
}

}  // namespace comm
