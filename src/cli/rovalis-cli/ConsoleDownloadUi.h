#pragma once
// The download's window side for command-line tools: the progress window becomes a text
// progress bar, message boxes become lines on the error stream, and the choice among several
// robots is an error that lists them (the user names one with --port).

#include <iosfwd>

#include "comm/DownloadUi.h"
#include "comm/Session.h"

namespace cli {

class ConsoleDownloadUi : public comm::DownloadUi {
 public:
  ConsoleDownloadUi(comm::Session& session, std::ostream& out, std::ostream& err);

  int OpenProgress(const QString& message) override;
  int SelectedRow() override { return -1; }
  void CloseProgress() override;
  void SetScanning(bool scanning) override;
  void RowChanged(int) override {}
  void PlaceMarker(int row) override;
  void ToggleMarker() override {}
  void StepIt(int program) override;
  void SetBusyCursor(bool) override {}
  void ShowError(const QString& text) override;
  void ShowFailure(const comm::DownloadOutcome& outcome) override;
  void ShowTokenizeFailure(const QString& text, const QString& detail) override;

  bool severalRobots() const { return severalRobots_; }
  // Ends a progress line that is still open (after an interruption, for example).
  void EndProgressLine();

 private:
  void DrawBar();

  comm::Session& session_;
  std::ostream& out_;
  std::ostream& err_;
  int progress_ = 0;
  bool barShown_ = false;
  bool severalRobots_ = false;
};

// The port status table as text: the five visible columns and the module type.
void PrintPortTable(const comm::Session& session, std::ostream& out);

}  // namespace cli
