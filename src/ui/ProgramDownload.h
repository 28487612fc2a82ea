#pragma once
// Compile and download from the windows: the program's one tokenizer and downloader, with
// the progress window as the download's window side. Go and the test window both come here.

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

namespace comm {
class Downloader;
class Session;
}  // namespace comm
namespace tok {
class Tokenizer;
}

namespace ui {

class TProgressForm;
class MarkedRowWatch;

// Where the last failed compilation stopped, for the program viewer.
struct CompileFailure {
  bool Failed = false;
  QString ErrorText;
  QStringList Lines;  // the program text it was compiled from
  int Line = 0;       // 0-based line and column of the offending text
  int Column = 0;
  int Length = 0;
};

// Maps a position in the lines joined with CR LF (the compiler's source) to a line and column.
void SourcePositionToLine(const QStringList& lines, int position, int& line, int& column);

class ProgramDownload {
 public:
  explicit ProgramDownload(TProgressForm& progress, comm::Session* session = nullptr);
  ~ProgramDownload();

  // Compiles the program text and downloads it; the slot used, or -4 when no port was opened.
  // The cursor is the hourglass for the whole download and the default afterwards.
  int DownloadTokenization(bool keepPortOpen);

  const CompileFailure& LastCompileFailure() const { return lastFailure_; }
  // The port of the module that the last DownloadTokenization reached with every packet
  // accepted; empty when it did not.
  QString LastSentPort() const { return lastSentPort_; }
  // Whether a scan or download is under way; a second DownloadTokenization meanwhile is refused.
  bool Running() const { return running_; }
  // Told when a job starts (true) and ends (false), to hold the windows' commands off.
  std::function<void(bool running)> JobRunning;
  comm::Session& Session() { return session_; }

 private:
  TProgressForm& progress_;
  std::unique_ptr<MarkedRowWatch> watch_;  // the progress window as the downloader sees it
  comm::Session& session_;
  std::unique_ptr<tok::Tokenizer> tokenizer_;
  std::unique_ptr<comm::Downloader> downloader_;
  CompileFailure lastFailure_;
  QString lastSentPort_;
  bool running_ = false;
};

}  // namespace ui
