#include "ui/SerialAdvice.h"

#include <QElapsedTimer>

#include "comm/LinuxSerialFacts.h"
#include "comm/PortWatch.h"
#include "comm/SerialNotices.h"
#include "ui/CommTexts.h"

namespace ui {
namespace {
// Only the GUI thread downloads, so these need no lock.
SerialFactsSource& Source() {
  static SerialFactsSource source;
  return source;
}

struct Watch {
  comm::PortWatch ports;
  QElapsedTimer clock;
  QStringList vanished;  // not yet told
};
Watch& TheWatch() {
  static Watch watch;
  if (!watch.clock.isValid()) watch.clock.start();
  return watch;
}
}  // namespace

SerialFactsSource SetSerialFactsSource(SerialFactsSource source) {
  SerialFactsSource previous = std::move(Source());
  Source() = std::move(source);
  return previous;
}

void NotePorts(const QStringList& ports) {
  Watch& watch = TheWatch();
  watch.vanished << watch.ports.Observe(ports, watch.clock.elapsed());
}

void AdviseOnSerialTrouble(const QStringList& ports, const std::function<void(const QString&)>& show) {
  static comm::SerialNotices notices;  // one memory for the whole run
  InstallCommTexts();                  // the notices are worded from the text table
  comm::SerialSystemFacts facts = Source() ? Source()(ports) : comm::GatherSerialFacts(ports);
  facts.VanishedPorts << TheWatch().vanished;
  TheWatch().vanished.clear();
  for (const QString& text : notices.Fresh(facts)) show(text);
}

}  // namespace ui
