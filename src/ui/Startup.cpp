#include "ui/Startup.h"

#include <QCoreApplication>
#include <QFile>
#include <filesystem>

#include "actions/FileFormat.h"
#include "app/IntroForm.h"
#include "app/ShowError.h"
#include "app/core/Global.h"
#include "app/core/Texts.h"
#include "ui/Code.h"
#include "ui/MainWindow.h"
#include "ui/ProgramDownload.h"
#include "ui/Progress.h"
#include "ui/StartupWindows.h"
#include "ui/TestUnit.h"

namespace ui {

Windows::Windows() = default;
Windows::~Windows() = default;

std::unique_ptr<Windows> MakeWindows() {
  auto windows = std::make_unique<Windows>();
  windows->IntroForm = std::make_unique<app::TIntroForm>();
  windows->MainForm = std::make_unique<TMainForm>();
  MakeWindowsOnDemand(*windows);
  TMainForm* main = windows->MainForm.get();
  Windows* all = windows.get();
  QObject::connect(windows->IntroForm.get(), &app::TIntroForm::modeChosen, main, [all, main] {
    if (all->BeforeMainWindow) all->BeforeMainWindow();
    main->show();
  });
  QObject::connect(windows->IntroForm.get(), &app::TIntroForm::closedWithoutChoice, main,
                   [] { QCoreApplication::quit(); });
  return windows;
}

namespace {
// The message an Open would show; a file that cannot be read at all is named, since nobody
// chose it in a dialog.
QString LoadFailureText(const actions::LoadResult& result, const QString& fileName) {
  if (result.Message.TextNumber != 0) return app::LoadText(result.Message.TextNumber);
  const QString reason = QString::fromUtf8(actions::DescribeLoadFailure(result));
  return result.Message.Empty() ? fileName + QStringLiteral(": ") + reason : reason;
}
}  // namespace

bool StartWithFile(Windows& windows, const QString& fileName) {
  // Read as the advanced mode reads, which accepts files of both modes; the mode byte says
  // which one the file was saved in.
  const std::filesystem::path path(QFile::encodeName(fileName).toStdString());
  const actions::LoadResult probe = actions::LoadDocumentFile(path, true);
  if (!probe.ok()) {
    app::ShowError(LoadFailureText(probe, fileName));
    return false;
  }
  app::Global().AdvancedMode = probe.Document.Mode != 0;
  windows.MainForm->show();
  // Should the file change in between, Open's own message says so over the empty lists.
  windows.MainForm->OpenNamedFile(fileName);
  return true;
}

}  // namespace ui
