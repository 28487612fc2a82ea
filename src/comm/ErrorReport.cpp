#include "comm/ErrorReport.h"

#include <mutex>

namespace comm {
namespace {
std::mutex reporterLock;
ErrorReporter& Reporter() {
  static ErrorReporter reporter;
  return reporter;
}
}  // namespace

void SetErrorReporter(ErrorReporter reporter) {
  std::lock_guard lock(reporterLock);
  Reporter() = std::move(reporter);
}

void ShowError(const QString& text) {
  ErrorReporter reporter;
  {
    std::lock_guard lock(reporterLock);
    reporter = Reporter();
  }
  if (reporter) reporter(text);
}

}  // namespace comm
