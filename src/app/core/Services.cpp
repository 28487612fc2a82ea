#include "app/core/Services.h"

#include <QElapsedTimer>
#include <QThread>
#include <limits>

namespace app {

std::int32_t TextToInt(const QString& text) {
  const qsizetype size = text.size();
  qsizetype i = 0;
  // Skip everything that cannot begin a number; a sign only begins one when a digit follows.
  while (i < size) {
    const QChar c = text[i];
    if (c.isDigit() && c.unicode() < 128) break;
    if ((c == u'-' || c == u'+') && i + 1 < size && text[i + 1].unicode() >= u'0' &&
        text[i + 1].unicode() <= u'9')
      break;
    ++i;
  }
  bool negative = false;
  if (i < size && (text[i] == u'-' || text[i] == u'+')) {
    negative = text[i] == u'-';
    ++i;
  }
  std::int64_t value = 0;
  constexpr std::int64_t limit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  while (i < size && text[i].unicode() >= u'0' && text[i].unicode() <= u'9') {
    value = value * 10 + (text[i].unicode() - u'0');
    if (value > limit) value = limit;
    ++i;
  }
  if (negative) return static_cast<std::int32_t>(-value);
  return static_cast<std::int32_t>(std::min<std::int64_t>(value, limit - 1));
}

void WaitMs(int milliseconds) {
  // Sleeps: a busy wait would take a whole core for nothing.
  if (milliseconds > 0) QThread::msleep(static_cast<unsigned long>(milliseconds));
}

}  // namespace app
