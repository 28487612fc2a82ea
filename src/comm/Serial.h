#pragma once
// TSerial: one open serial port of the PC with the module's fixed line settings, single bytes
// and blocks moved with a time-out per call, and the DTR, RTS and BREAK lines.
// Everything blocks inside the call; there is no background reader.

#include <QString>

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "comm/SerialDevice.h"

namespace comm {

inline constexpr int kBufferSize = 4097;
inline constexpr int kMaxBlockRead = 4096;
// ReadByte's answer on a closed port.
inline constexpr int kNotOpen = 1000;

class TSerial {
 public:
  explicit TSerial(SerialDeviceFactory factory);

  bool Open(const QString& name, const QString& baud, const QString& parity,
            const QString& dataBits, const QString& flow, bool showErrors);
  void Configure(const QString& baud, const QString& parity, const QString& dataBits,
                 const QString& flow);
  void Close();
  // Read interval, read per byte, read constant, write per byte, write constant (ms).
  bool SetTimeouts(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d, std::uint32_t e);

  // 0..255 the byte; -1 nothing within the time-out; kNotOpen when the port is not open.
  int ReadByte(int timeoutMs);
  bool WriteByte(std::uint8_t byte, int timeoutMs);
  bool WriteBuffer(const std::uint8_t* bytes, int count, int timeoutMs);
  // Block mode (1..4096): up to `count` bytes into Buffer within the time-out. Drain mode
  // (any other count): empties the input queue at once. -1 when the port is not open.
  int Read(int count, int timeoutMs);
  // Only 0 and 1 act.
  void SetBreak(int state);
  void SetDTR(int state);
  void SetRTS(int state);
  std::uint32_t ModemStatus();

  bool IsOpen() const { return isOpen_; }
  bool Claimed() const { return claimed_; }
  void SetClaimed(bool claimed) { claimed_ = claimed; }
  QString PortName() const { return portName_; }
  const std::vector<std::uint8_t>& Buffer() const { return buffer_; }
  const std::array<std::uint32_t, 5>& Timeouts() const { return timeouts_; }
  std::uint32_t LastError() const { return lastError_; }

 private:
  SerialDeviceFactory factory_;
  std::unique_ptr<SerialDevice> device_;
  // Written by the slot's owner or under SlotLock, read by other threads under SlotLock.
  std::atomic<bool> isOpen_{false};
  std::atomic<bool> claimed_{false};
  QString portName_;
  std::vector<std::uint8_t> buffer_;
  std::array<std::uint32_t, 5> timeouts_{};
  std::uint32_t lastError_ = 0;
};

// The text for an open failure code: 394, 395 or "Reason is unknown.".
QString OpenFailureReason(std::uint32_t code);

}  // namespace comm
