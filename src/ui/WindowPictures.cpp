#include "ui/WindowPictures.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QProgressBar>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimer>

#include "app/core/ProgramText.h"
#include "app/core/Texts.h"
#include "comm/PortStatusTable.h"
#include "comm/Session.h"
#include "ui/Code.h"
#include "ui/MainWindow.h"
#include "ui/ProgramDownload.h"
#include "ui/Progress.h"
#include "ui/Startup.h"
#include "ui/TestUnit.h"

namespace ui {

namespace {

void Settle() {
  for (int i = 0; i < 5; ++i) QApplication::processEvents();
}

// A scan's findings: a serial port with nothing on it, and robots on the others.
void SampleScan(comm::Session& session, int robots) {
  QStringList ports = {QStringLiteral("ttyS0")};
  for (int i = 0; i < robots; ++i) ports << QStringLiteral("ttyUSB%1").arg(i);
  session.enumerate = [ports](QStringList& list) { list = ports; };
  session.RefreshDisplay(true);
  comm::PortStatusTable& table = session.PortStatus;
  table.SetCell(comm::kLoopbackColumn, 1, app::LoadText(388));
  table.SetCell(comm::kEchoColumn, 1, app::LoadText(388));
  table.SetCell(comm::kTypeColumn, 1, QStringLiteral("0"));
  for (int row = 2; row <= robots + 1; ++row) {
    table.SetCell(comm::kDeviceColumn, row, app::LoadText(411));
    table.SetCell(comm::kVersionColumn, row, QStringLiteral("v1.0"));
    table.SetCell(comm::kLoopbackColumn, row, app::LoadText(388));
    table.SetCell(comm::kEchoColumn, row, app::LoadText(387));
    table.SetCell(comm::kTypeColumn, row, QStringLiteral("2"));
    table.SetCell(comm::kMarkColumn, row, QStringLiteral("+"));
  }
  session.DownloadModule = 2;
  session.ProgramCount = 1;
  session.ProgramPackets[0] = 40;
}

}  // namespace

namespace {

// The progress window in both of its modes.
bool TakeProgressPictures(Windows& windows, const QDir& dir) {
  bool ok = true;
  TProgressForm& progress = *windows.ProgressForm;
  comm::Session& session = windows.Download->Session();
  const auto enumerate = session.enumerate;

  // Progress mode: the download to the robot on the second port, 24 of 40 packets out.
  SampleScan(session, 1);
  progress.OpenProgress(QString());
  progress.PlaceMarker(2);
  for (int k = 0; k < 24; ++k) progress.StepIt(0);
  Settle();
  ok &= progress.grab().save(dir.filePath(QStringLiteral("progress.png")));
  progress.hide();

  // Choice mode: two robots; the second one chosen.
  SampleScan(session, 2);
  QTimer::singleShot(50, &progress, [&] {
    progress.PortStatusMouseDown(
        progress.PortStatus->visualRect(progress.PortStatus->model()->index(2, 0)).center());
    Settle();
    ok &= progress.grab().save(dir.filePath(QStringLiteral("progress-choice.png")));
    progress.close();
  });
  progress.OpenProgress(app::LoadText(413));
  session.enumerate = enumerate;
  return ok;
}

// The test window while a test runs: left whisker pressed, right detector sees an object.
bool TakeTestWindowPicture(Windows& windows, const QDir& dir) {
  TTestForm& test = *windows.TestForm;
  test.show();
  test.RServoSpinEdit->setValue(758);
  test.LServoSpinEdit->setValue(744);
  test.DefaultButtonClick();
  test.RServoSpinEdit->setValue(758);
  test.RightPulseChange(test.RServoSpinEdit);
  test.LServoSpinEdit->setValue(744);
  test.LeftPulseChange(test.LServoSpinEdit);
  test.ShowSensors(0x02 | 0x04);
  Settle();
  const bool ok = test.grab().save(dir.filePath(QStringLiteral("test-window.png")));
  test.close();
  return ok;
}

// Five steps in the main list when it is empty, so that the viewer has a program to show.
void FillExampleSteps(actions::ListDocument& doc) {
  if (doc.StepCount(1) != 0) return;
  const int example[][2] = {{0, 12}, {1, 12}, {2, 13}, {3, 13}, {6, 10}};  // kind, value
  for (int s = 0; s < 5; ++s) {
    doc.List(1)[s + 1].Kind = std::uint8_t(example[s][0]);
    doc.List(1)[s + 1].Value = std::int16_t(example[s][1]);
  }
}

// The viewer: the program built from the lists, with a compilation that failed on it.
bool TakeViewerPicture(Windows& windows, const QDir& dir) {
  TMainForm& main = *windows.MainForm;
  FillExampleSteps(main.Lists.Document());
  if (!main.BuildCode()) return false;
  QStringList lines = app::TheProgramText().lines();
  qsizetype marker = 0;
  while (marker < lines.size() && !lines[marker].startsWith(QStringLiteral("Configure"))) ++marker;
  lines.insert(std::min(marker + 1, lines.size()), QStringLiteral("\tGOTO Nowhere"));
  app::TheProgramText().setLines(lines);
  windows.ProgressForm->TokenizeFailureBox = [](const QString&, const QString&) {};
  main.DownloadTokenization(false);
  TCodeForm& viewer = *windows.CodeForm;
  bool ok = true;
  QTimer::singleShot(50, &viewer, [&] {
    Settle();
    ok = viewer.grab().save(dir.filePath(QStringLiteral("viewer.png")));
    viewer.accept();
  });
  viewer.ShowModal(&windows.Download->LastCompileFailure());
  return ok;
}

}  // namespace

bool TakeDownloadWindowPictures(Windows& windows, const QString& folder) {
  QDir().mkpath(folder);
  const QDir dir(folder);
  bool ok = TakeProgressPictures(windows, dir);
  ok &= TakeTestWindowPicture(windows, dir);
  ok &= TakeViewerPicture(windows, dir);
  return ok;
}

}  // namespace ui
