#pragma once
// What the system knows of a serial port's adapter, shown beside the device name so that a
// user can tell one adapter from another. The device name stays the port's identity.

#include <QString>
#include <QStringList>

class QSerialPortInfo;

namespace comm {

struct PortFacts {
  QString Description;  // e.g. the USB product string
  QString Manufacturer;
  QString SerialNumber;
};

// The facts of one QSerialPortInfo.
PortFacts FactsOf(const QSerialPortInfo& info);

// The facts of the port with that name or device path; empty when the system lists no such
// port (for example a pseudo-terminal).
PortFacts LookUpPort(const QString& name);

// The labels of several ports, asking the system once.
QStringList PortLabels(const QStringList& names);

// "USB serial adapter, FTDI (A1B2C3)"; empty when nothing is known. A manufacturer already
// named in the description is not repeated; control characters from the device are blanked.
QString DescribePort(const PortFacts& facts);

// "ttyUSB0 — USB serial adapter (A1B2C3)", or the name alone when nothing is known.
QString PortLabel(const QString& name, const PortFacts& facts);

}  // namespace comm
