#pragma once
// Everything of a download that needs a window. The progress window implements it in the
// application; the command-line tool and the tests implement it without windows.

#include <QString>

#include "comm/DownloadOutcome.h"

namespace comm {

// "Error! Tokenization Failed!", the title of every compile failure.
inline constexpr int kTokenizeFailedText = 467;

// The modal result of the progress window's Download button.
inline constexpr int kDownloadModalResult = 4;

class DownloadUi {
 public:
  virtual ~DownloadUi() = default;

  // Shows the progress window. Without a message it shows non-modally and returns -1; the
  // port status table has just been laid out. With a message it is the modal choice among
  // several robots: the rows marked "+" can be chosen and the call returns the modal result
  // (kDownloadModalResult when the user pressed Download).
  virtual int OpenProgress(const QString& message) = 0;
  // The grid row (1-based) at the top of the selection after a choice, -1 when none.
  virtual int SelectedRow() = 0;
  // Closes the progress window (the window keeps its last state on screen for half a second).
  virtual void CloseProgress() = 0;

  // "Buscando..." during the scan.
  virtual void SetScanning(bool scanning) = 0;
  // The scan wrote a row of the port status table, or the download scrolled to it.
  virtual void RowChanged(int row) = 0;
  // The transmit marker: placed beside a grid row and shown, then blinking.
  virtual void PlaceMarker(int row) = 0;
  virtual void ToggleMarker() = 0;
  // One more packet of program p went out.
  virtual void StepIt(int program) = 0;

  virtual void SetBusyCursor(bool busy) = 0;
  // A beep and a modal error box.
  virtual void ShowError(const QString& text) = 0;
  // A failed download, as a value: the window words it from its text table (FailureText).
  virtual void ShowFailure(const DownloadOutcome& outcome) = 0;
  // The plain box "Error! Tokenization Failed!"; detail is the tokenizer's error text.
  virtual void ShowTokenizeFailure(const QString& text, const QString& detail) = 0;
};

}  // namespace comm
