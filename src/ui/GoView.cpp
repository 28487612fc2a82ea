// The main window's Go and View commands: build the robot program from the lists, then
// compile and download it (Go) or show it (View).

#include <QCheckBox>
#include <QElapsedTimer>

#include "app/ShowError.h"
#include "app/core/Global.h"
#include "app/core/ProgramText.h"
#include "app/core/Texts.h"
#include "builder/BuildCode.h"
#include "comm/PortSlots.h"
#include "ui/Code.h"
#include "ui/MainWindow.h"
#include "ui/PictureButtons.h"
#include "ui/ProgramDownload.h"

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
  ProgramDownload* download = Download.get();
  return download != nullptr ? download->DownloadTokenization(keepPortOpen) : comm::kNoPort;
}

void TMainForm::Go() {
  QElapsedTimer took;
  took.start();
  if (!BuildCode()) return;
  DownloadTokenization(false);
  // Only a download that every packet reached says so; a failure has said its own word.
  if (ProgramDownload* download = Download.get(); download != nullptr && !download->LastSentPort().isEmpty())
    ShowProgramSent(download->LastSentPort(), took.elapsed());
}

void TMainForm::ViewButtonClick() {
  if (!BuildCode()) return;
  ProgramDownload* download = Download.get();
  if (TCodeForm* viewer = CodeForm.get())
    viewer->ShowModal(download != nullptr ? &download->LastCompileFailure() : nullptr);
}

}  // namespace ui
