#include "app/FirstShowReport.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWindow>

namespace app {

namespace {
constexpr char kVariable[] = "ROVALIS_FIRST_SHOW";
}

FirstShowReport::FirstShowReport(std::FILE* out, bool exitAfter, QObject* parent)
    : QObject(parent), out_(out), exitAfter_(exitAfter) {}

bool FirstShowReport::eventFilter(QObject* watched, QEvent* event) {
  if (!reported_ && event->type() == QEvent::Expose) {
    auto* window = qobject_cast<QWindow*>(watched);
    if (window != nullptr && window->isExposed()) {
      reported_ = true;
      std::fputs("first window shown\n", out_);
      std::fflush(out_);
      if (exitAfter_) QCoreApplication::exit(0);
    }
  }
  return QObject::eventFilter(watched, event);
}

void WatchForFirstShowFromEnvironment() {
  if (!qEnvironmentVariableIsSet(kVariable) || QCoreApplication::instance() == nullptr) return;
  const bool exitAfter = qEnvironmentVariable(kVariable) == u"exit";
  auto* report = new FirstShowReport(stdout, exitAfter, QCoreApplication::instance());
  QCoreApplication::instance()->installEventFilter(report);
}

}  // namespace app
