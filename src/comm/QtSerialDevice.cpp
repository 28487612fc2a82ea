#include "comm/QtSerialDevice.h"

#include <QDeadlineTimer>

namespace comm {

std::uint32_t QtSerialDevice::Open(const QString& name) {
  port_ = std::make_unique<QSerialPort>();
  port_->setPortName(name);
  if (port_->open(QIODevice::ReadWrite)) return 0;
  const auto error = port_->error();
  port_.reset();
  switch (error) {
    case QSerialPort::DeviceNotFoundError: return kNoSuchDevice;
    case QSerialPort::PermissionError: return kAccessDenied;  // also: held by another program
    default: return kOtherOpenError;
  }
}

bool QtSerialDevice::SettingsReadable() { return port_ && port_->isOpen(); }

void QtSerialDevice::Configure(int baud, bool noParity, int dataBits) {
  if (!port_) return;
  port_->setBaudRate(baud);
  port_->setDataBits(static_cast<QSerialPort::DataBits>(dataBits));
  port_->setParity(noParity ? QSerialPort::NoParity : QSerialPort::EvenParity);
  port_->setStopBits(QSerialPort::OneStop);
  port_->setFlowControl(QSerialPort::NoFlowControl);
  port_->clearError();
}

void QtSerialDevice::Close() {
  if (port_) port_->close();
  port_.reset();
}

int QtSerialDevice::Read(std::uint8_t* data, int max, int timeoutMs) {
  if (!port_ || max <= 0) return 0;
  QDeadlineTimer deadline(timeoutMs < 0 ? 0 : timeoutMs);
  int got = 0;
  for (;;) {
    const qint64 n = port_->read(reinterpret_cast<char*>(data) + got, max - got);
    if (n > 0) got += int(n);
    if (got >= max) break;
    const qint64 left = std::max<qint64>(0, deadline.remainingTime());
    if (!port_->waitForReadyRead(int(left))) {
      const qint64 last = port_->read(reinterpret_cast<char*>(data) + got, max - got);
      if (last > 0) got += int(last);
      break;
    }
  }
  port_->clearError();
  return got;
}

int QtSerialDevice::Waiting() {
  if (!port_) return 0;
  if (port_->bytesAvailable() == 0) port_->waitForReadyRead(0);  // fetch what the driver holds
  port_->clearError();
  return int(port_->bytesAvailable());
}

bool QtSerialDevice::Write(const std::uint8_t* data, int count, int timeoutMs) {
  if (!port_) return false;
  if (port_->write(reinterpret_cast<const char*>(data), count) != count) {
    port_->clearError();
    return false;
  }
  QDeadlineTimer deadline(timeoutMs < 0 ? 0 : timeoutMs);
  while (port_->bytesToWrite() > 0) {
    if (!port_->waitForBytesWritten(int(std::max<qint64>(0, deadline.remainingTime())))) {
      port_->clearError();
      return false;
    }
  }
  return true;
}

// A pseudo-terminal has no modem lines; Qt reports that as an error, which nobody wants here.
void QtSerialDevice::SetDtr(bool on) {
  if (!port_) return;
  port_->setDataTerminalReady(on);
  port_->clearError();
}

void QtSerialDevice::SetRts(bool on) {
  if (!port_) return;
  port_->setRequestToSend(on);
  port_->clearError();
}

void QtSerialDevice::SetBreak(bool on) {
  if (!port_) return;
  port_->setBreakEnabled(on);
  port_->clearError();
}

std::uint32_t QtSerialDevice::ModemStatus() {
  if (!port_) return 0;
  const auto pins = port_->pinoutSignals();
  port_->clearError();
  std::uint32_t status = 0;
  if (pins & QSerialPort::ClearToSendSignal) status |= kCtsOn;
  if (pins & QSerialPort::DataSetReadySignal) status |= kDsrOn;
  if (pins & QSerialPort::RingIndicatorSignal) status |= kRingOn;
  if (pins & QSerialPort::DataCarrierDetectSignal) status |= kRlsdOn;
  return status;
}

SerialDeviceFactory QtSerialDeviceFactory() {
  return [] { return std::make_unique<QtSerialDevice>(); };
}

}  // namespace comm
