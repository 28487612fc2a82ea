#include "comm/PortStatusTable.h"

#include "comm/TextSource.h"

namespace comm {

PortStatusTable::PortStatusTable() : rows_(2) {
  SetTitles();
}

QString PortStatusTable::Cell(int column, int row) const {
  if (row < 0 || row >= RowCount() || column < 0 || column >= kColumnCount) return {};
  return rows_[row][column];
}

void PortStatusTable::SetCell(int column, int row, const QString& text) {
  if (row < 0 || row >= RowCount() || column < 0 || column >= kColumnCount) return;
  rows_[row][column] = text;
}

void PortStatusTable::SetTitles() {
  for (int column = 0; column <= kEchoColumn; ++column) rows_[0][column] = Text(381 + column);
}

void PortStatusTable::Lay(const QStringList& ports, bool clearRows) {
  rows_.resize(std::max<std::size_t>(ports.size() + 1, 2));
  for (int row = 1; row < RowCount(); ++row) {
    if (clearRows) rows_[row] = {};
    if (!ports.isEmpty()) rows_[row][kPortColumn] = ports.value(row - 1) + QStringLiteral(":");
  }
  if (topRow_ >= RowCount()) topRow_ = 1;
}

void PortStatusTable::MakeRowVisible(int row) {
  if (row >= topRow_ && row <= topRow_ + kVisibleRows - 1) return;
  topRow_ = row > topRow_ + kVisibleRows - 1 ? row - (kVisibleRows - 1) : row;
}

}  // namespace comm
