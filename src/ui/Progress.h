#pragma once
// The download progress window. Progress mode (no message): shown non-modally while the
// ports are scanned and the packets are sent, with the port status grid, "Buscando..."
// during the scan, the blinking transmit marker beside the target port and the progress bar.
// Choice mode (with a message): shown modally when several robots answered; only the rows
// marked "+" can be chosen, and the Download button ends the choice.
// It is the window side of a download (comm::DownloadUi) and shows the session's port
// status table, which stays the store of the scan's findings.

#include <QDialog>
#include <QHash>
#include <functional>

#include "comm/DownloadUi.h"

class QFrame;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace comm {
class Session;
}

namespace ui {

class FilledShape;

class TProgressForm : public QDialog, public comm::DownloadUi {
  Q_OBJECT
 public:
  explicit TProgressForm(QWidget* parent = nullptr, comm::Session* session = nullptr);
  ~TProgressForm() override;

  // --- controls ---
  QTableWidget* PortStatus = nullptr;
  QLabel* PortStatusLabel = nullptr;
  QLabel* ScanningLabel = nullptr;
  FilledShape* TXStatus = nullptr;
  QLabel* WarningImage = nullptr;
  QPlainTextEdit* EMessage = nullptr;
  QFrame* DownloadStatus = nullptr;
  QLabel* DownloadStatusLabel = nullptr;
  QProgressBar* ProgressBar0 = nullptr;
  QPushButton* DownloadButton = nullptr;

  // --- comm::DownloadUi ---
  int OpenProgress(const QString& message) override;
  int SelectedRow() override;
  void CloseProgress() override;
  void SetScanning(bool scanning) override;
  void RowChanged(int row) override;
  void PlaceMarker(int row) override;
  void ToggleMarker() override;
  void StepIt(int program) override;
  void SetBusyCursor(bool busy) override;
  void ShowError(const QString& text) override;
  void ShowFailure(const comm::DownloadOutcome& outcome) override;
  void ShowTokenizeFailure(const QString& text, const QString& detail) override;

  // --- handlers ---
  void FormShow();
  void RefreshDisplay();
  void AssignProgressBars();
  // A cell may be selected only in choice mode and only on a row marked "+".
  bool PortStatusSelectCell(int column, int row);
  // A press on the grid at `pos` (grid coordinates): a marked row gets its columns 1 to 4
  // selected; anything else leaves the selection as it was.
  void PortStatusMouseDown(const QPoint& pos);
  bool ChoiceMode() const;
  // The data row (1-based) at the top of the visible rows.
  int TopRow() const;

  // While held, the scan's "cursor back to normal" is ignored, so that the hourglass stays
  // for the whole download; releasing the hold restores the cursor when nothing else holds it.
  void HoldBusyCursor(bool hold);
  bool BusyCursorShown() const { return busyShown_; }

  // How long the last state stays on screen when the window closes.
  int ClosePauseMs = 500;
  // The "Error! Tokenization Failed!" box (text, detail); tests replace it.
  std::function<void(const QString& text, const QString& detail)> TokenizeFailureBox;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void MakeControls();
  void MakeDownloadControls();
  void SyncRow(int row);
  void SyncGrid();
  void ScrollToTopRow(int row);
  void UpdateDownloadButton();
  void SuspendBusyCursor(bool suspend);

  // What the system knows of each port's adapter, keyed by the grid's "name:" cell; asked
  // once each time the window shows.
  QHash<QString, QString> portLabels_;
  comm::Session& session_;
  bool busyShown_ = false;
  bool holdBusy_ = false;
  bool busySuspended_ = false;
};

}  // namespace ui
