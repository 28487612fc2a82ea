#pragma once
// The one thing TSerial needs from the operating system: an exclusive serial device moved
// byte by byte with a time-out per call. QtSerialDevice is the real one; protocol tests
// put a scripted fake behind TSerial instead.

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

namespace comm {

// Error codes of a failed open, as the rest of the system knows them.
inline constexpr std::uint32_t kNoSuchDevice = 2;
inline constexpr std::uint32_t kAccessDenied = 5;
inline constexpr std::uint32_t kOtherOpenError = 31;

// Modem status bits.
inline constexpr std::uint32_t kCtsOn = 0x10;
inline constexpr std::uint32_t kDsrOn = 0x20;
inline constexpr std::uint32_t kRingOn = 0x40;
inline constexpr std::uint32_t kRlsdOn = 0x80;

class SerialDevice {
 public:
  virtual ~SerialDevice() = default;
  // 0 when the device is open for reading and writing and nobody else has it, otherwise
  // kNoSuchDevice, kAccessDenied or another code.
  virtual std::uint32_t Open(const QString& name) = 0;
  // Whether the current line settings can be read back.
  virtual bool SettingsReadable() = 0;
  virtual void Configure(int baud, bool noParity, int dataBits) = 0;
  virtual void Close() = 0;
  // Reads up to `max` bytes, waiting at most `timeoutMs` in total; returns the count read.
  virtual int Read(std::uint8_t* data, int max, int timeoutMs) = 0;
  // Bytes waiting in the input queue right now.
  virtual int Waiting() = 0;
  // Writes all bytes within `timeoutMs`.
  virtual bool Write(const std::uint8_t* data, int count, int timeoutMs) = 0;
  // Line control; devices without these lines (a pseudo-terminal) ignore them quietly.
  virtual void SetDtr(bool on) = 0;
  virtual void SetRts(bool on) = 0;
  virtual void SetBreak(bool on) = 0;
  virtual std::uint32_t ModemStatus() = 0;
};

// Makes a fresh device on the calling thread (Qt's devices belong to the thread that made them).
using SerialDeviceFactory = std::function<std::unique_ptr<SerialDevice>()>;

}  // namespace comm
