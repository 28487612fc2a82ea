#include "ui/StartupWindows.h"

#include "comm/Ports.h"
#include "comm/Session.h"
#include "ui/Code.h"
#include "ui/MainWindow.h"
#include "ui/ProgramDownload.h"
#include "ui/Progress.h"
#include "ui/SerialAdvice.h"
#include "ui/Startup.h"
#include "ui/TestUnit.h"

namespace ui {

namespace {
// Every look at the ports also watches for USB adapters taken away right after they appeared.
void ListAndNotePorts(QStringList& ports) {
  comm::EnumeratePorts(ports);
  NotePorts(ports);
}

std::unique_ptr<ProgramDownload> MakeDownload(Windows& windows) {
  TMainForm* main = windows.MainForm.get();
  auto download = std::make_unique<ProgramDownload>(*windows.ProgressForm);
  // While a scan or download runs, the windows hold off the commands that would disturb it.
  download->JobRunning = [main](bool running) { main->SetLinkBusy(running); };
  return download;
}

std::unique_ptr<TTestForm> MakeTestForm(Windows& windows) {
  TMainForm* main = windows.MainForm.get();
  auto test = std::make_unique<TTestForm>(main);
  test->Slots = &windows.Download->Session().Slots();
  test->Link = &windows.Download->Session().Link();
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
  QObject::connect(test.get(), &QDialog::finished, main, &TMainForm::TestWindowClosed);
  return test;
}
}  // namespace

void MakeWindowsOnDemand(Windows& windows) {
  Windows* all = &windows;
  TMainForm* main = windows.MainForm.get();
  windows.ProgressForm.SetMaker([main] { return std::make_unique<TProgressForm>(main); });
  windows.CodeForm.SetMaker([main] { return std::make_unique<TCodeForm>(main); });
  windows.Download.SetMaker([all] { return MakeDownload(*all); });
  windows.TestForm.SetMaker([all] { return MakeTestForm(*all); });

  main->Download = OnDemandRef<ProgramDownload>([all] { return all->Download.get(); });
  main->CodeForm = OnDemandRef<TCodeForm>([all] { return all->CodeForm.get(); });
  main->ShowTestWindow = [all] { all->TestForm->exec(); };
  // The program's one link session; set now, so that whoever looks at ports later (a test
  // too) finds it in place.
  comm::TheSession().enumerate = ListAndNotePorts;
  main->ListPorts = [] {
    QStringList ports;
    ListAndNotePorts(ports);
    return ports;
  };
}

}  // namespace ui
