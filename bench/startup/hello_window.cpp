// The yardstick of the start-up measure: a Qt Widgets hello-world with the same first-show
// hook as the program.

#include <QApplication>
#include <QLabel>

#include "app/FirstShowReport.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  app::WatchForFirstShowFromEnvironment();
  QLabel hello(QStringLiteral("Hello, world"));
  hello.show();
  return application.exec();
}
