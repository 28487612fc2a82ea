#include <QApplication>
#include <QCommandLineParser>
#include <cstdio>

#include "app/IntroForm.h"
#include "app/core/Global.h"
#include "app/core/Language.h"
#include "ui/Screenshots.h"
#include "ui/Startup.h"
#include "ui/VirtualRobotPanel.h"
#include "ui/WindowPictures.h"

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
  const QCommandLineOption language(QStringLiteral("lang"), QString::fromLatin1(app::kLanguageOptionHelp),
                                    QStringLiteral("code"));
  options.addOptions({virtualRobot, screenshotDir, screenshotMode, language});
  options.addPositionalArgument(QStringLiteral("file"),
                                QStringLiteral("An action list (.rvl) to open in the mode it was saved in."),
                                QStringLiteral("[file]"));
  options.process(application);

  std::optional<app::Language> chosen;
  if (options.isSet(language)) {
    chosen = app::LanguageFromCode(options.value(language).toStdString());
    if (!chosen) {
      std::fprintf(stderr, "rovalis: --lang takes es or en, not '%s'\n", qPrintable(options.value(language)));
      return 2;
    }
  }
  app::StartLanguage(chosen);  // before any text is read

  app::Global();  // the shared state takes its start values before any window exists
  // The virtual robot's port is in the port list before any window looks for ports.
  std::unique_ptr<ui::VirtualRobotSession> robot;
  if (options.isSet(virtualRobot) && !options.isSet(screenshotDir)) {
    QString error;
    robot = ui::StartVirtualRobot(&error);
    if (!robot) std::fprintf(stderr, "rovalis: no virtual robot: %s\n", qPrintable(error));
  }
  auto windows = ui::MakeWindows();
  if (options.isSet(screenshotDir)) {
    const bool advanced = options.value(screenshotMode) == QStringLiteral("advanced");
    const bool mainWindows = ui::TakeScreenshots(*windows, options.value(screenshotDir), advanced);
    const bool downloadWindows = ui::TakeDownloadWindowPictures(*windows, options.value(screenshotDir));
    return mainWindows && downloadWindows ? 0 : 1;
  }
  const QStringList files = options.positionalArguments();
  if (!files.isEmpty() && ui::StartWithFile(*windows, files.front())) return application.exec();
  windows->IntroForm->show();
  return application.exec();
}
