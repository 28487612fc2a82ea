#pragma once
// The port status grid of the progress window as data: the scan writes its findings here and
// the download takes its decision from it. Row 0 holds the titles; row r >= 1 belongs to
// PortList entry r - 1. Columns: 0 port name with ":", 1 device, 2 version, 3 loopback,
// 4 echo, 5 module type as a decimal number, 6 the mark "+" for the wanted type.
// Only the GUI thread touches it.

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

namespace comm {

enum PortColumn { kPortColumn = 0, kDeviceColumn, kVersionColumn, kLoopbackColumn, kEchoColumn,
                  kTypeColumn, kMarkColumn, kColumnCount };
// Rows T..T+5 are taken to be visible.
inline constexpr int kVisibleRows = 6;

class PortStatusTable {
 public:
  PortStatusTable();

  int RowCount() const { return int(rows_.size()); }
  QString Cell(int column, int row) const;
  void SetCell(int column, int row, const QString& text);

  // Row count := ports + 1, at least 2; clears the data rows when asked; writes the names.
  void Lay(const QStringList& ports, bool clearRows);
  // The titles of columns 0..4 (texts 381..385).
  void SetTitles();

  int TopRow() const { return topRow_; }
  void SetTopRow(int row) { topRow_ = row; }
  // Scrolls so that row lies within TopRow()..TopRow()+5.
  void MakeRowVisible(int row);

 private:
  std::vector<std::array<QString, kColumnCount>> rows_;
  int topRow_ = 1;
};

}  // namespace comm
