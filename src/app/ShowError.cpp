#include "app/ShowError.h"

#include <QApplication>
#include <QMessageBox>

namespace app {

namespace {
ErrorBoxHandler& Handler() {
  static ErrorBoxHandler handler;
  return handler;
}
}  // namespace

ErrorBoxHandler SetErrorBoxHandler(ErrorBoxHandler handler) {
  ErrorBoxHandler previous = std::move(Handler());
  Handler() = std::move(handler);
  return previous;
}

void ShowError(const QString& text) {
  if (Handler()) {
    Handler()(text);
    return;
  }
  QApplication::beep();
  QMessageBox box(QMessageBox::Critical, QStringLiteral("Error"), text, QMessageBox::Ok,
                  QApplication::activeWindow());
  box.exec();
}

}  // namespace app
