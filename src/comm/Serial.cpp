#include "comm/Serial.h"

#include <algorithm>

#include "comm/ErrorReport.h"
#include "comm/TextSource.h"

namespace comm {

TSerial::TSerial(SerialDeviceFactory factory) : factory_(std::move(factory)) {}

QString OpenFailureReason(std::uint32_t code) {
  if (code == kNoSuchDevice) return Text(394);
  if (code == kAccessDenied) return Text(395);
  return QStringLiteral("Reason is unknown.");
}

bool TSerial::Open(const QString& name, const QString& baud, const QString& parity, const QString& dataBits,
                   const QString& flow, bool showErrors) {
  lastError_ = 0;
  if (isOpen_) return false;
  // Port names are the system's (ttyUSB0, a pseudo-terminal path), so there is no length rule.
  auto device = factory_();
  if (const std::uint32_t code = device->Open(name); code != 0) {
    lastError_ = code;
    if (showErrors) ShowError(Text(396) + name + QStringLiteral(".  ") + OpenFailureReason(code));
    claimed_ = false;
    return false;
  }
  if (!device->SettingsReadable()) {
    if (showErrors) ShowError(Text(397));
    device->Close();
    claimed_ = false;
    return false;
  }
  device_ = std::move(device);
  isOpen_ = true;
  claimed_ = false;
  Configure(baud, parity, dataBits, flow);
  buffer_.assign(kBufferSize, 0);
  portName_ = name;
  SetTimeouts(0, 0, 0, 0, 0);
  return true;
}

void TSerial::Configure(const QString& baud, const QString& parity, const QString& dataBits, const QString&) {
  if (!isOpen_) return;
  if (!device_->SettingsReadable()) {
    ShowError(QStringLiteral("Unable to set configuration on serial port."));
    return;
  }
  // One stop bit and no flow control of any kind; DTR and RTS stay under program control.
  device_->Configure(baud.trimmed().toInt(), parity == QStringLiteral("None"), dataBits.trimmed().toInt());
  SetDTR(0);
  SetRTS(0);
}

void TSerial::Close() {
  if (!isOpen_) return;
  device_->Close();
  device_.reset();
  isOpen_ = false;
  portName_.clear();
  buffer_.clear();
  buffer_.shrink_to_fit();
}

bool TSerial::SetTimeouts(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d,
                          std::uint32_t e) {
  timeouts_ = {a, b, c, d, e};
  return isOpen_;
}

int TSerial::ReadByte(int timeoutMs) {
  if (!isOpen_) return kNotOpen;
  SetTimeouts(0, 0, std::uint32_t(timeoutMs), 0, 0);
  std::uint8_t byte = 0;
  return device_->Read(&byte, 1, timeoutMs) == 1 ? byte : -1;
}

bool TSerial::WriteByte(std::uint8_t byte, int timeoutMs) {
  return WriteBuffer(&byte, 1, timeoutMs);
}

bool TSerial::WriteBuffer(const std::uint8_t* bytes, int count, int timeoutMs) {
  if (!isOpen_) return false;
  SetTimeouts(0, 0, 0, 0, std::uint32_t(timeoutMs));
  return device_->Write(bytes, count, timeoutMs);
}

int TSerial::Read(int count, int timeoutMs) {
  if (!isOpen_) return -1;
  if (count >= 1 && count <= kMaxBlockRead) {
    SetTimeouts(0, 0, std::uint32_t(timeoutMs), 0, 0);
    return device_->Read(buffer_.data(), count, timeoutMs);
  }
  // Drain mode: take whatever is waiting, without waiting for more.
  SetTimeouts(0xFFFFFFFF, 0, 0, 0, 0);
  int total = 0;
  lastError_ = 0;
  for (;;) {
    const int waiting = device_->Waiting();
    if (waiting <= 0) break;
    const int n = device_->Read(buffer_.data(), std::min(waiting, kMaxBlockRead), 0);
    if (n <= 0) break;
    total += n;
  }
  return total;
}

void TSerial::SetBreak(int state) {
  if (isOpen_ && (state == 0 || state == 1)) device_->SetBreak(state == 1);
}

void TSerial::SetDTR(int state) {
  if (isOpen_ && (state == 0 || state == 1)) device_->SetDtr(state == 1);
}

void TSerial::SetRTS(int state) {
  if (isOpen_ && (state == 0 || state == 1)) device_->SetRts(state == 1);
}

std::uint32_t TSerial::ModemStatus() {
  return isOpen_ ? device_->ModemStatus() : 0;
}

}  // namespace comm
