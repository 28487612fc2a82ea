#pragma once
// The download's progress as it leaves the link thread: the transmit marker and the bar go
// to the window side on the thread that started the download, through queued calls, so the
// window is never touched from the link thread and never has to repaint on demand.

#include <QObject>

#include "comm/DownloadUi.h"

namespace comm {

class ForwardingProgress : public DownloadUi {
 public:
  // Made on the thread that owns `target`; its queued calls run there, in order.
  explicit ForwardingProgress(DownloadUi& target);

  void ToggleMarker() override;
  void StepIt(int program) override;

  // The wire exchange reports only the two above; the rest belongs to the window's thread.
  int OpenProgress(const QString&) override { return -1; }
  int SelectedRow() override { return -1; }
  void CloseProgress() override {}
  void SetScanning(bool) override {}
  void RowChanged(int) override {}
  void PlaceMarker(int) override {}
  void SetBusyCursor(bool) override {}
  void ShowError(const QString&) override {}
  void ShowFailure(const DownloadOutcome&) override {}
  void ShowTokenizeFailure(const QString&, const QString&) override {}

 private:
  DownloadUi& target_;
  QObject receiver_;  // lives on the starting thread
};

}  // namespace comm
