#pragma once
// The program's windows, made at start in a fixed order; the intro window comes first and is
// the only one shown until a mode is chosen.

#include <QString>
#include <memory>

namespace app {
class TIntroForm;
}

namespace ui {

class TMainForm;
class TTestForm;
class TProgressForm;
class TDragger;
class TCodeForm;
class ProgramDownload;

struct Windows {
  std::unique_ptr<app::TIntroForm> IntroForm;
  std::unique_ptr<TMainForm> MainForm;
  std::unique_ptr<TTestForm> TestForm;
  std::unique_ptr<TProgressForm> ProgressForm;
  std::unique_ptr<TDragger> Dragger;
  std::unique_ptr<TCodeForm> CodeForm;
  // Compiles and downloads for Go and the test window through the progress window.
  std::unique_ptr<ProgramDownload> Download;

  Windows();
  ~Windows();
};

// Makes the six windows in order and wires the intro window: a choice shows the main window;
// closing the intro window without a choice ends the program.
std::unique_ptr<Windows> MakeWindows();

// Opens an action list file named at start in the mode it was saved in, skipping the mode
// choice: the main window is shown with the file's lists. False when the file cannot be used
// (the usual error was shown); the normal start with the mode choice follows then.
bool StartWithFile(Windows& windows, const QString& fileName);

}  // namespace ui
