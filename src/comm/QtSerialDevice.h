#pragma once
// SerialDevice over QSerialPort, used in blocking style without an event loop, so that an
// identification thread can own one.

#include <QSerialPort>

#include <memory>

#include "comm/SerialDevice.h"

namespace comm {

class QtSerialDevice : public SerialDevice {
 public:
  std::uint32_t Open(const QString& name) override;
  bool SettingsReadable() override;
  void Configure(int baud, bool noParity, int dataBits) override;
  void Close() override;
  int Read(std::uint8_t* data, int max, int timeoutMs) override;
  int Waiting() override;
  bool Write(const std::uint8_t* data, int count, int timeoutMs) override;
  void SetDtr(bool on) override;
  void SetRts(bool on) override;
  void SetBreak(bool on) override;
  std::uint32_t ModemStatus() override;

 private:
  std::unique_ptr<QSerialPort> port_;
};

SerialDeviceFactory QtSerialDeviceFactory();

}  // namespace comm
