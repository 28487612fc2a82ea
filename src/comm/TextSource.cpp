#include "comm/TextSource.h"

#include <mutex>

namespace comm {
namespace {
std::mutex sourceLock;
TextLookup& Source() {
  static TextLookup source;
  return source;
}
}  // namespace

void SetTextSource(TextLookup lookup) {
  std::lock_guard lock(sourceLock);
  Source() = std::move(lookup);
}

QString Text(int number) {
  TextLookup source;
  {
    std::lock_guard lock(sourceLock);
    source = Source();
  }
  return source ? source(number) : QString();
}

}  // namespace comm
