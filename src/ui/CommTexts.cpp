#include "ui/CommTexts.h"

#include "app/core/Texts.h"
#include "comm/TextSource.h"

namespace ui {
namespace {
QString TableText(int number) {
  return app::LoadText(number);
}
}  // namespace

void InstallCommTexts() {
  comm::SetTextSource(TableText);
}

QString DownloadFailureText(const comm::DownloadOutcome& outcome) {
  return comm::FailureText(outcome, TableText);
}

}  // namespace ui
