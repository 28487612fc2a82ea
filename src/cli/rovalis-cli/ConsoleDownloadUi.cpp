#include "ConsoleDownloadUi.h"

#include <algorithm>
#include <iomanip>
#include <ostream>

#include "app/core/Texts.h"

namespace cli {

using namespace comm;
namespace {

constexpr int kBarWidth = 40;
// "Más de un robot responde; elija uno con --port NOMBRE:", "Descargando en %1", "Error: %1".
constexpr int kSeveralRobotsText = 463;
constexpr int kTypeHeading = 597;
constexpr int kDownloadingToText = 461;
constexpr int kErrorText = 464;

std::string Text(const QString& text) {
  return text.toStdString();
}

}  // namespace

ConsoleDownloadUi::ConsoleDownloadUi(Session& session, std::ostream& out, std::ostream& err)
    : session_(session), out_(out), err_(err) {}

int ConsoleDownloadUi::OpenProgress(const QString& message) {
  progress_ = 0;
  barShown_ = false;
  if (message.isEmpty()) return -1;
  // No window to choose in: list the robots and let the user name one.
  severalRobots_ = true;
  err_ << Text(app::LoadText(kSeveralRobotsText)) << "\n";
  const PortStatusTable& table = session_.PortStatus;
  for (int row = 1; row < table.RowCount(); ++row) {
    if (table.Cell(kMarkColumn, row) == QStringLiteral("+")) {
      err_ << "  " << Text(session_.PortList.value(row - 1)) << "  " << Text(table.Cell(kDeviceColumn, row))
           << " " << Text(table.Cell(kVersionColumn, row)) << "\n";
    }
  }
  return 0;
}

void ConsoleDownloadUi::CloseProgress() {
  EndProgressLine();
}

void ConsoleDownloadUi::EndProgressLine() {
  if (barShown_) out_ << "\n";
  barShown_ = false;
  out_.flush();
}

void ConsoleDownloadUi::SetScanning(bool scanning) {
  if (scanning) out_ << Text(app::LoadText(426)) << std::endl;
}

void ConsoleDownloadUi::PlaceMarker(int row) {
  out_ << Text(app::LoadText(kDownloadingToText).arg(session_.PortList.value(row - 1))) << std::endl;
}

void ConsoleDownloadUi::StepIt(int program) {
  if (program != 0) return;
  const int total = std::max(1, session_.ProgramPackets[0]);
  progress_ = std::min(progress_ + 1, total);
  DrawBar();
}

void ConsoleDownloadUi::DrawBar() {
  const int total = std::max(1, session_.ProgramPackets[0]);
  const int filled = progress_ * kBarWidth / total;
  out_ << "\r[" << std::string(std::size_t(filled), '#') << std::string(std::size_t(kBarWidth - filled), ' ')
       << "] " << std::setw(3) << progress_ * 100 / total << "%  " << progress_ << "/" << total << " packets";
  out_.flush();
  barShown_ = true;
}

void ConsoleDownloadUi::ShowFailure(const comm::DownloadOutcome& outcome) {
  ShowError(comm::FailureText(outcome, [](int number) { return app::LoadText(number); }));
}

void ConsoleDownloadUi::ShowError(const QString& text) {
  EndProgressLine();
  err_ << Text(app::LoadText(kErrorText).arg(text)) << std::endl;
}

void ConsoleDownloadUi::ShowTokenizeFailure(const QString& text, const QString& detail) {
  err_ << Text(text) << "\n";
  if (!detail.isEmpty()) err_ << Text(detail) << "\n";
  err_.flush();
}

void PrintPortTable(const Session& session, std::ostream& out) {
  const PortStatusTable& table = session.PortStatus;
  std::size_t widths[kTypeColumn] = {};
  for (int row = 0; row < table.RowCount(); ++row) {
    for (int column = 0; column < kTypeColumn; ++column) {
      widths[column] = std::max<std::size_t>(widths[column], std::size_t(table.Cell(column, row).size()));
    }
  }
  for (int row = 0; row < table.RowCount(); ++row) {
    for (int column = 0; column < kTypeColumn; ++column) {
      const QString cell = table.Cell(column, row);
      out << Text(cell) << std::string(widths[column] - std::size_t(cell.size()) + 2, ' ');
    }
    out << (row == 0 ? Text(app::LoadText(kTypeHeading)) : Text(table.Cell(kTypeColumn, row))) << "\n";
  }
}

}  // namespace cli
