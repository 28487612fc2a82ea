#pragma once
// Notices USB serial ports that go away right after they appeared, as they do when a
// braille-display service takes the adapter over. Fed with each enumeration of the ports.

#include <QHash>
#include <QString>
#include <QStringList>

namespace comm {

// A port gone within this time of first being seen has vanished rather than been unplugged.
inline constexpr qint64 kQuickVanishMs = 10000;

class PortWatch {
 public:
  // One enumeration taken at nowMs (any monotonic clock); returns the USB serial ports that
  // disappeared since the last one, within kQuickVanishMs of first being seen. Ports already
  // there at the first enumeration may have been there for hours: they never count.
  QStringList Observe(const QStringList& ports, qint64 nowMs);

 private:
  QHash<QString, qint64> firstSeen_;
  bool started_ = false;
};

// ttyUSB* and ttyACM* (with or without /dev/): the adapters a robot cable uses.
bool IsUsbSerialName(const QString& port);

}  // namespace comm
