#include "ui/SerialAdvice.h"

#include "comm/LinuxSerialFacts.h"
#include "comm/SerialNotices.h"

namespace ui {
namespace {
// Only the GUI thread downloads, so these need no lock.
SerialFactsSource& Source() {
  static SerialFactsSource source;
  return source;
}
}  // namespace

SerialFactsSource SetSerialFactsSource(SerialFactsSource source) {
  SerialFactsSource previous = std::move(Source());
  Source() = std::move(source);
  return previous;
}

void AdviseOnSerialTrouble(const QStringList& ports, const std::function<void(const QString&)>& show) {
  static comm::SerialNotices notices;  // one memory for the whole run
  const comm::SerialSystemFacts facts = Source() ? Source()(ports) : comm::GatherSerialFacts(ports);
  for (const QString& text : notices.Fresh(facts)) show(text);
}

}  // namespace ui
