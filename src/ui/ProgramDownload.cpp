#include "ui/ProgramDownload.h"

#include "app/core/Global.h"
#include "app/core/ProgramText.h"
#include "app/core/Texts.h"
#include "comm/Download.h"
#include "comm/Session.h"
#include "tokenizer/Tokenizer.h"
#include "ui/Progress.h"
#include "ui/SerialAdvice.h"

namespace ui {

namespace {
constexpr int kLineEndLength = 2;  // the compiler's source joins the lines with CR LF
}

// The progress window as the downloader sees it, noting the row that the transmit marker is
// placed beside: the module that the download goes to.
class MarkedRowWatch : public comm::DownloadUi {
 public:
  explicit MarkedRowWatch(comm::DownloadUi& window) : window_(window) {}
  int MarkedRow() const { return markedRow_; }
  void Forget() { markedRow_ = 0; }

  int OpenProgress(const QString& message) override { return window_.OpenProgress(message); }
  int SelectedRow() override { return window_.SelectedRow(); }
  void CloseProgress() override { window_.CloseProgress(); }
  void SetScanning(bool scanning) override { window_.SetScanning(scanning); }
  void RowChanged(int row) override { window_.RowChanged(row); }
  void PlaceMarker(int row) override {
    markedRow_ = row;
    window_.PlaceMarker(row);
  }
  void ToggleMarker() override { window_.ToggleMarker(); }
  void StepIt(int program) override { window_.StepIt(program); }
  void SetBusyCursor(bool busy) override { window_.SetBusyCursor(busy); }
  void ShowError(const QString& text) override { window_.ShowError(text); }
  void ShowFailure(const comm::DownloadOutcome& outcome) override { window_.ShowFailure(outcome); }
  void ShowTokenizeFailure(const QString& text, const QString& detail) override {
    window_.ShowTokenizeFailure(text, detail);
  }

 private:
  comm::DownloadUi& window_;
  int markedRow_ = 0;
};

void SourcePositionToLine(const QStringList& lines, int position, int& line, int& column) {
  line = 0;
  column = std::max(0, position);
  while (line < lines.size() - 1 && column >= lines[line].size() + kLineEndLength) {
    column -= lines[line].size() + kLineEndLength;
    ++line;
  }
}

ProgramDownload::ProgramDownload(TProgressForm& progress, comm::Session* session)
    : progress_(progress),
      watch_(std::make_unique<MarkedRowWatch>(progress)),
      session_(session != nullptr ? *session : comm::TheSession()),
      tokenizer_(std::make_unique<tok::Tokenizer>()),
      downloader_(std::make_unique<comm::Downloader>(session_, *watch_, tokenizer_.get())) {}

ProgramDownload::~ProgramDownload() = default;

int ProgramDownload::DownloadTokenization(bool keepPortOpen) {
  if (running_) return comm::kNoPort;
  lastSentPort_.clear();
  const QStringList lines = app::TheProgramText().lines();
  if (!downloader_->TokenizeProgram(lines)) {
    lastFailure_ = CompileFailure{};
    lastFailure_.Failed = true;
    lastFailure_.ErrorText = downloader_->errorText();
    lastFailure_.Lines = lines;
    const auto& result = tokenizer_->TokenizeResult;
    // The position belongs to this failure only when the compiler itself reported it.
    const bool fromCompiler = result.Success != 1 && result.ErrorText != nullptr &&
                              QString::fromLatin1(result.ErrorText) == lastFailure_.ErrorText;
    if (fromCompiler && result.ErrorLength > 0) {
      SourcePositionToLine(lines, result.ErrorStart, lastFailure_.Line, lastFailure_.Column);
      lastFailure_.Length = result.ErrorLength;
    }
    progress_.ShowTokenizeFailure(app::LoadText(comm::kTokenizeFailedText), lastFailure_.ErrorText);
    return comm::kNoPort;
  }
  lastFailure_ = CompileFailure{};
  // The window answers during the job, so a second Go could come in: it is held off here too.
  running_ = true;
  if (JobRunning) JobRunning(true);
  progress_.HoldBusyCursor(true);
  // The port the user chose and the module names go to the link as values.
  session_.SetSelectedPort(app::Global().SelectedPort);
  session_.ModuleNames = app::Global().ModuleNames;
  watch_->Forget();
  const int slot = downloader_->DownloadIt(keepPortOpen);
  progress_.HoldBusyCursor(false);
  if (slot != comm::kNoPort && downloader_->lastDownloadComplete() && watch_->MarkedRow() > 0)
    lastSentPort_ = session_.PortList.value(watch_->MarkedRow() - 1);
  if (!downloader_->lastDownloadComplete())
    AdviseOnSerialTrouble(session_.PortList, [this](const QString& text) { progress_.ShowError(text); });
  running_ = false;
  if (JobRunning) JobRunning(false);
  return slot;
}

}  // namespace ui
