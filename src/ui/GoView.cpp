// The main window's Go and View commands: build the robot program from the lists, then
// compile and download it (Go) or show it (View).

#include "ui/GoView.h"

#include <QCheckBox>

#include "app/Pictures.h"
#include "app/ShowError.h"
#include "app/core/Global.h"
#include "app/core/ProgramText.h"
#include "app/core/Texts.h"
#include "builder/BuildCode.h"
#include "comm/PortSlots.h"
#include "comm/Ports.h"
#include "comm/Session.h"
#include "ui/Code.h"
#include "ui/MainWindow.h"
#include "ui/PictureButtons.h"
#include "ui/ProgramDownload.h"
#include "ui/Startup.h"
#include "ui/TestUnit.h"

namespace ui {

namespace {
constexpr int kRobotProgram = 362;
}

bool TMainForm::BuildCode() {
  if (app::PictureSlot* pressed = Pictures[ButtonOf(kGoButton).Pressed]) pressed->hide();
  app::LoadProgramText(kRobotProgram);
  builder::BuildOptions options;
  options.AdvancedMode = app::Global().AdvancedMode;
  options.SensorsEnabled = SensorsEnabled->isChecked();
  const builder::BuildResult built =
      builder::BuildCode(Lists.Document(), options, app::TheProgramText().toStdLines());
  if (!built.Ok) {
    const actions::UiMessage& message = built.Error.Message;
    app::ShowError(message.TextNumber != 0 ? app::LoadText(message.TextNumber)
                                           : QString::fromStdString(message.Literal));
    return false;  // the rest of the command does not run
  }
  app::TheProgramText().setStdLines(built.Lines);
  return true;
}

int TMainForm::DownloadTokenization(bool keepPortOpen) {
  return Download != nullptr ? Download->DownloadTokenization(keepPortOpen) : comm::kNoPort;
}

void TMainForm::Go() {
  if (!BuildCode()) return;
  DownloadTokenization(false);
}

void TMainForm::ViewButtonClick() {
  if (!BuildCode()) return;
  if (CodeForm != nullptr)
    CodeForm->ShowModal(Download != nullptr ? &Download->LastCompileFailure() : nullptr);
}

}  // namespace ui

namespace ui {

void ConnectDownloadWindows(Windows& windows) {
  TMainForm* main = windows.MainForm.get();
  TTestForm* test = windows.TestForm.get();
  windows.Download = std::make_unique<ProgramDownload>(*windows.ProgressForm);
  main->Download = windows.Download.get();
  main->CodeForm = windows.CodeForm.get();
  main->ListPorts = [] {
    QStringList ports;
    comm::EnumeratePorts(ports);
    return ports;
  };

  test->Slots = &windows.Download->Session().Slots();
  test->Link = &windows.Download->Session().Link();
  // While a scan or download runs, the windows hold off the commands that would disturb it.
  windows.Download->JobRunning = [main](bool running) { main->SetLinkBusy(running); };
  test->DownloadTokenization = [main](bool keepPortOpen) { return main->DownloadTokenization(keepPortOpen); };
  // The centres live in the document (every program built from it uses them) and reach the
  // settings store when the program ends.
  test->ReadServoCenters = [main] {
    const actions::ListDocument& doc = main->Lists.Document();
    return std::pair<std::uint8_t, std::uint8_t>(doc.LeftServoCenter, doc.RightServoCenter);
  };
  test->StoreServoCenters = [main](std::uint8_t left, std::uint8_t right) {
    main->Lists.Document().LeftServoCenter = left;
    main->Lists.Document().RightServoCenter = right;
    main->Settings().LeftServoCenter = left;
    main->Settings().RightServoCenter = right;
  };
}

}  // namespace ui
