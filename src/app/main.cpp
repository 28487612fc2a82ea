#include <QApplication>
#include <QCommandLineParser>

#include "app/IntroForm.h"
#include "app/core/Global.h"
#include "ui/Screenshots.h"
#include "ui/Startup.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Rovalis"));
  QApplication::setApplicationDisplayName(QStringLiteral("Rovalis"));
  QApplication::setApplicationVersion(QStringLiteral(ROVALIS_VERSION));
  // The windows decide themselves when the program ends (Quit, or closing the intro window).
  QApplication::setQuitOnLastWindowClosed(false);

  QCommandLineParser options;
  options.addHelpOption();
  options.addVersionOption();
  const QCommandLineOption virtualRobot(QStringLiteral("virtual-robot"),
                                        QStringLiteral("Start a virtual robot and offer its port."));
  const QCommandLineOption screenshotDir(
      QStringLiteral("screenshot-dir"),
      QStringLiteral("Write pictures of the intro window and the main window to <folder> and end."),
      QStringLiteral("folder"));
  const QCommandLineOption screenshotMode(QStringLiteral("screenshot-mode"),
                                          QStringLiteral("Mode for the pictures: beginner or advanced."),
                                          QStringLiteral("mode"), QStringLiteral("beginner"));
  options.addOptions({virtualRobot, screenshotDir, screenshotMode});
  options.process(application);

  app::Global();  // the shared state takes its start values before any window exists
  auto windows = ui::MakeWindows();
  if (options.isSet(screenshotDir)) {
    const bool advanced = options.value(screenshotMode) == QStringLiteral("advanced");
    return ui::TakeScreenshots(*windows, options.value(screenshotDir), advanced) ? 0 : 1;
  }
  windows->IntroForm->show();
  return application.exec();
}
