#include <QApplication>
#include <QCommandLineParser>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <optional>

#include "app/FirstShowReport.h"
#include "app/IntroForm.h"
#include "app/core/Global.h"
#include "app/core/Language.h"
#include "app/core/LanguageCode.h"
#include "app/core/Texts.h"
#include "ui/Screenshots.h"
#include "ui/Startup.h"
#include "ui/VirtualRobotPanel.h"
#include "ui/WindowPictures.h"

namespace {

struct StartOptions {
  QCommandLineOption virtualRobot{QStringLiteral("virtual-robot"),
                                  QStringLiteral("Start a virtual robot and offer its port.")};
  QCommandLineOption screenshotDir{
      QStringLiteral("screenshot-dir"),
      QStringLiteral("Write pictures of the intro window and the main window to <folder> and end."),
      QStringLiteral("folder")};
  QCommandLineOption screenshotMode{QStringLiteral("screenshot-mode"),
                                    QStringLiteral("Mode for the pictures: beginner or advanced."),
                                    QStringLiteral("mode"), QStringLiteral("beginner")};
  QCommandLineOption language{QStringLiteral("lang"), QString::fromLatin1(app::kLanguageOptionHelp),
                              QStringLiteral("code")};

  void AddTo(QCommandLineParser& parser) const {
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOptions({virtualRobot, screenshotDir, screenshotMode, language});
    parser.addPositionalArgument(QStringLiteral("file"),
                                 QStringLiteral("An action list (.rvl) to open in the mode it was saved in."),
                                 QStringLiteral("[file]"));
  }
};

bool HasArgument(int argc, char** argv, std::initializer_list<const char*> names) {
  for (int i = 1; i < argc; ++i)
    for (const char* name : names)
      if (std::strcmp(argv[i], name) == 0) return true;
  return false;
}

// Help and version need no screen; without one, Qt would only say that no platform plugin
// could be initialized.
bool AsksForHelpOrVersion(int argc, char** argv) {
  return HasArgument(argc, argv, {"--help", "-h", "-?", "--help-all", "--version", "-v"});
}

bool HasScreen(int argc, char** argv) {
  return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
         !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || HasArgument(argc, argv, {"-platform"});
}

void NameApplication() {
  QCoreApplication::setApplicationName(QStringLiteral("Rovalis"));
  QCoreApplication::setApplicationVersion(QStringLiteral(ROVALIS_VERSION));
}

int WithoutScreen(int argc, char** argv) {
  QCoreApplication core(argc, argv);
  NameApplication();
  QCommandLineParser options;
  const StartOptions known;
  known.AddTo(options);
  options.process(core);  // prints help or version and ends
  std::optional<app::Language> chosen;
  if (options.isSet(known.language))
    chosen = app::LanguageFromCode(options.value(known.language).toStdString());
  app::StartLanguage(chosen);
  std::fprintf(stderr, "rovalis: %s\n", qPrintable(app::LoadText(584)));
  return 1;
}

// The virtual robot, when asked for, started once: before the main window looks for ports, and
// otherwise as soon as the intro window is on the screen. Its windows and its pseudo-terminal
// would hold the intro window back.
struct VirtualRobotStart {
  bool Wanted = false;
  std::unique_ptr<ui::VirtualRobotSession> Robot;
  bool Tried = false;

  void Start() {
    if (!Wanted || Tried) return;
    Tried = true;
    QString error;
    Robot = ui::StartVirtualRobot(&error);
    if (!Robot) std::fprintf(stderr, "rovalis: no virtual robot: %s\n", qPrintable(error));
  }
};

}  // namespace

int main(int argc, char** argv) {
  if (AsksForHelpOrVersion(argc, argv) || !HasScreen(argc, argv)) return WithoutScreen(argc, argv);
  QApplication application(argc, argv);
  app::WatchForFirstShowFromEnvironment();
  NameApplication();
  QApplication::setApplicationDisplayName(QStringLiteral("Rovalis"));
  // The windows decide themselves when the program ends (Quit, or closing the intro window).
  QApplication::setQuitOnLastWindowClosed(false);

  QCommandLineParser options;
  const StartOptions known;
  known.AddTo(options);
  options.process(application);
  const QCommandLineOption& virtualRobot = known.virtualRobot;
  const QCommandLineOption& screenshotDir = known.screenshotDir;
  const QCommandLineOption& screenshotMode = known.screenshotMode;
  const QCommandLineOption& language = known.language;

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
  VirtualRobotStart robot;
  robot.Wanted = options.isSet(virtualRobot) && !options.isSet(screenshotDir);
  auto windows = ui::MakeWindows();
  if (options.isSet(screenshotDir)) {
    const bool advanced = options.value(screenshotMode) == QStringLiteral("advanced");
    const bool mainWindows = ui::TakeScreenshots(*windows, options.value(screenshotDir), advanced);
    const bool downloadWindows = ui::TakeDownloadWindowPictures(*windows, options.value(screenshotDir));
    return mainWindows && downloadWindows ? 0 : 1;
  }
  // The virtual robot's port is in the port list before the main window looks for ports.
  windows->BeforeMainWindow = [&robot] { robot.Start(); };
  const QStringList files = options.positionalArguments();
  if (!files.isEmpty()) {
    robot.Start();
    if (ui::StartWithFile(*windows, files.front())) return application.exec();
  }
  QObject::connect(windows->IntroForm.get(), &app::TIntroForm::firstPainted, [&robot, &windows] {
    robot.Start();
    // The robot's windows open after the intro window; the choice of mode stays in front.
    if (windows->IntroForm->isVisible()) {
      windows->IntroForm->raise();
      windows->IntroForm->activateWindow();
    }
  });
  windows->IntroForm->show();
  return application.exec();
}
