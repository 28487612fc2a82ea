#include "ui/Startup.h"

#include <QCoreApplication>

#include "app/IntroForm.h"
#include "ui/Code.h"
#include "ui/DraggerUnit.h"
#include "ui/GoView.h"
#include "ui/ProgramDownload.h"
#include "ui/MainWindow.h"
#include "ui/Progress.h"
#include "ui/TestUnit.h"

namespace ui {

Windows::Windows() = default;
Windows::~Windows() = default;

std::unique_ptr<Windows> MakeWindows() {
  auto windows = std::make_unique<Windows>();
  windows->IntroForm = std::make_unique<app::TIntroForm>();
  windows->MainForm = std::make_unique<TMainForm>();
  windows->TestForm = std::make_unique<TTestForm>(windows->MainForm.get());
  windows->ProgressForm = std::make_unique<TProgressForm>(windows->MainForm.get());
  windows->Dragger = std::make_unique<TDragger>();
  windows->CodeForm = std::make_unique<TCodeForm>(windows->MainForm.get());

  TMainForm* main = windows->MainForm.get();
  TTestForm* test = windows->TestForm.get();
  main->ShowTestWindow = [test] { test->exec(); };
  ConnectDownloadWindows(*windows);
  QObject::connect(windows->IntroForm.get(), &app::TIntroForm::modeChosen, main, [main] { main->show(); });
  QObject::connect(windows->IntroForm.get(), &app::TIntroForm::closedWithoutChoice, main,
                   [] { QCoreApplication::quit(); });
  return windows;
}

}  // namespace ui
