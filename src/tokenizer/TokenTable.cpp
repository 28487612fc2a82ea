#include "tokenizer/TokenTable.h"

#include <array>

namespace tok {
namespace {

constexpr int ModuleColumns = 5;  // VD2, VD2E, VD2SX, VD2P, VD2PE
using TokenRow = std::array<uint8_t, ModuleColumns>;

// Rows 26..31 differ per module; every other row is the identity.
constexpr TokenRow RenumberedRows[] = {
    {26, 29, 29, 31, 31},  // 26 LET
    {27, 26, 26, 26, 26},  // 27 GET
    {28, 27, 27, 27, 27},  // 28 PUT
    {29, 28, 28, 28, 28},  // 29 RUN
    {30, 30, 30, 29, 29},  // 30 MAINIO
    {31, 31, 31, 30, 30},  // 31 AUXIO
};
constexpr int FirstRenumbered = 26;
static_assert(std::size(RenumberedRows) == 6);

constexpr std::array<TokenRow, OperationCount> BuildTokenTable() {
  std::array<TokenRow, OperationCount> table{};
  for (int op = 0; op < OperationCount; ++op) {
    for (int m = 0; m < ModuleColumns; ++m) table[op][m] = static_cast<uint8_t>(op);
  }
  for (int r = 0; r < 6; ++r) table[FirstRenumbered + r] = RenumberedRows[r];
  return table;
}

constexpr auto TokenTable = BuildTokenTable();
static_assert(TokenTable.size() == 64);
static_assert(TokenTable[OpLet][3] == 31 && TokenTable[OpGet][0] == 27 && TokenTable[OpStore][4] == 59);

}  // namespace

uint8_t TokenCode(uint8_t operation, uint8_t module) {
  int column = (module >= 2 && module <= 6) ? module - 2 : 0;
  return TokenTable[operation & 63][column];
}

}  // namespace tok
