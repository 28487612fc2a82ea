#pragma once
// Test helpers: a Qt core application for the scan's event loop, a window-less DownloadUi that
// records what it was asked to show, and fake serial devices behind which a module protocol
// answers at once (no real waiting, so failure paths cost no time-outs).

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "app/core/Global.h"
#include "app/core/Texts.h"
#include "comm/DownloadUi.h"
#include "comm/SerialDevice.h"
#include "sim/ModuleProtocol.h"

namespace commtest {

// Creates the one QCoreApplication the scan needs to wait on its threads.
void EnsureCoreApplication();

class RecordingUi : public comm::DownloadUi {
 public:
  int OpenProgress(const QString& message) override {
    opened.push_back(message);
    return message.isEmpty() ? -1 : choiceResult;
  }
  int SelectedRow() override { return chosenRow; }
  void CloseProgress() override { ++closed; }
  void SetScanning(bool on) override {
    scanning.push_back(on);
    if (!on && onScanEnd) onScanEnd();
  }
  void RowChanged(int row) override { rowsChanged.push_back(row); }
  void PlaceMarker(int row) override { markerRow = row; }
  void ToggleMarker() override { ++toggles; }
  void StepIt(int program) override {
    if (program == 0) ++progress;
  }
  void SetBusyCursor(bool busy) override { this->busy = busy; }
  void ShowError(const QString& text) override { errors.push_back(text); }
  // Worded as the windows word it, so that the tests compare the texts the user sees.
  void ShowFailure(const comm::DownloadOutcome& outcome) override {
    failures.push_back(outcome);
    errors.push_back(comm::FailureText(outcome, [](int number) { return app::LoadText(number); }));
  }
  void ShowTokenizeFailure(const QString& text, const QString& detail) override {
    errors.push_back(text);
    failureDetail = detail;
  }

  // Runs when the scan has ended, before the download decides anything.
  std::function<void()> onScanEnd;
  // Answers of the modal choice.
  int choiceResult = comm::kDownloadModalResult;
  int chosenRow = -1;

  std::vector<QString> opened;
  int closed = 0;
  std::vector<comm::DownloadOutcome> failures;
  std::vector<bool> scanning;
  std::vector<int> rowsChanged;
  int markerRow = -1;
  int toggles = 0;
  int progress = 0;
  bool busy = false;
  std::vector<QString> errors;
  QString failureDetail;
};

// One fake port: either it cannot be opened (openError) or a module protocol answers on it.
struct FakePort {
  std::uint32_t openError = 0;
  bool present = true;    // false: answers nothing at all
  bool loopback = false;  // DSR follows RTS
  int answersLeft = -1;   // bytes the module still answers before it dies; -1 no limit
  sim::RobotConfig robot;
  std::unique_ptr<sim::ModuleProtocol> module;
  bool inUse = false;
  bool resetPending = true;
  bool rts = false;
  std::vector<std::uint8_t> input;    // what the PC will read
  std::vector<std::uint8_t> written;  // everything the PC sent
  std::vector<std::string> lines;     // line changes in order: "DTR1", "RTS0", "BRK1"
};

// The ports the fake devices open, shared by every device of one factory.
class FakeWorld {
 public:
  FakePort& Add(const QString& name, sim::RobotConfig robot = {});
  FakePort& AddUnopenable(const QString& name, std::uint32_t code);
  FakePort& AddDead(const QString& name);
  FakePort& port(const QString& name) { return *ports_.at(name); }
  comm::SerialDeviceFactory Factory();

  std::mutex lock;
  std::map<QString, std::unique_ptr<FakePort>> ports_;
};

// An 18-byte packet for block `block` filled with `fill`, with its checksum.
std::array<std::uint8_t, 18> MakePacket(int block, std::uint8_t fill);

}  // namespace commtest
