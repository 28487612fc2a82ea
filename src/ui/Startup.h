#pragma once
// The program's windows. The intro window and the main window are made at start; the test
// window, the progress window, the program viewer and the downloader are made the first time
// anything asks for them, so that the intro window shows without waiting for them.

#include <QString>
#include <functional>
#include <memory>

#include "ui/OnDemand.h"

namespace app {
class TIntroForm;
}

namespace ui {

class TMainForm;
class TTestForm;
class TProgressForm;
class TCodeForm;
class ProgramDownload;

struct Windows {
  std::unique_ptr<app::TIntroForm> IntroForm;
  std::unique_ptr<TMainForm> MainForm;
  OnDemand<TTestForm> TestForm;
  OnDemand<TProgressForm> ProgressForm;
  OnDemand<TCodeForm> CodeForm;
  // Compiles and downloads for Go and the test window through the progress window.
  OnDemand<ProgramDownload> Download;
  // Runs when a mode was chosen, right before the main window shows (and looks for ports).
  std::function<void()> BeforeMainWindow;

  Windows();
  ~Windows();
  Windows(const Windows&) = delete;
  Windows& operator=(const Windows&) = delete;
};

// Makes the intro and main windows, tells the others how to make themselves, and wires the
// intro window: a choice shows the main window; closing the intro window without a choice
// ends the program.
std::unique_ptr<Windows> MakeWindows();

// Opens an action list file named at start in the mode it was saved in, skipping the mode
// choice: the main window is shown with the file's lists. False when the file cannot be used
// (the usual error was shown); the normal start with the mode choice follows then.
bool StartWithFile(Windows& windows, const QString& fileName);

}  // namespace ui
