#include "comm/PortWatch.h"

#include <limits>

namespace comm {
namespace {
// When a port present at the first enumeration appeared is unknown.
constexpr qint64 kLongAgo = std::numeric_limits<qint64>::min();
}  // namespace

bool IsUsbSerialName(const QString& port) {
  const QString base = port.section(u'/', -1);
  return base.startsWith(u"ttyUSB") || base.startsWith(u"ttyACM");
}

QStringList PortWatch::Observe(const QStringList& ports, qint64 nowMs) {
  QStringList vanished;
  for (auto it = firstSeen_.begin(); it != firstSeen_.end();) {
    if (ports.contains(it.key())) {
      ++it;
      continue;
    }
    if (it.value() != kLongAgo && nowMs - it.value() <= kQuickVanishMs) vanished.append(it.key());
    it = firstSeen_.erase(it);
  }
  for (const QString& port : ports) {
    if (IsUsbSerialName(port) && !firstSeen_.contains(port))
      firstSeen_.insert(port, started_ ? nowMs : kLongAgo);
  }
  started_ = true;
  vanished.sort();
  return vanished;
}

}  // namespace comm
