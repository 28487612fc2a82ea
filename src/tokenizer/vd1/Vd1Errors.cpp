#include <iterator>

#include "tokenizer/vd1/Vd1Kinds.h"

namespace tok::vd1 {

namespace {

struct ErrorRow {
  Error error;
  std::string_view text;
};

constexpr ErrorRow kErrorRows[] = {
    {Error::ExpectedStatement, "149-Expected a label, variable, or instruction"},
    {Error::IncorrectNextVariable, "233-Incorrect variable after 'NEXT'"},
    {Error::ExpectedEquals, "150-Expected '='"},
    {Error::LabelMissingColon, "174-Label is missing ':'"},
    {Error::SymbolTooLong, "106-Symbol exceeds 32 characters"},
    {Error::ExpectedConstant, "112-Expected a constant"},
    {Error::ExpectedConstantOrVariable, "234-Expected a constant or variable"},
    {Error::ExpectedVariable, "135-Expected a variable"},
    {Error::NextWithoutFor, "132-'NEXT' must be preceded by 'FOR'"},
    {Error::ExpectedSerinItem, "235-Expected '(', '#' or a variable"},
    {Error::ExpectedLabel, "148-Expected a label"},
    {Error::DebugBufferFull, "236-DEBUG buffer full"},
    {Error::UndefinedSymbol, "110-Undefined symbol"},
    {Error::GosubLimit, "237-Limit of 16 GOSUBs was exceeded"},
    {Error::ExpectedAndOrThen, "238-Expected 'AND', 'OR', or 'THEN'"},
    {Error::ExpectedComma, "133-Expected ','"},
    {Error::ExpectedOpenParen, "119-Expected '('"},
    {Error::ExpectedCommaOrCloseParen, "239-Expected ',' or ')'"},
    {Error::SymbolAlreadyDefined, "123-Symbol is already defined"},
    {Error::IllegalTextCharacter, "240-Illegal text character"},
    {Error::SymbolNameInvalid, "241-Symbol name invalid or already defined"},
    {Error::EepromFull, "127-EEPROM full"},
    {Error::ForNestingLimit, "242-Limit of 8 nested FOR-NEXT loops was exceeded"},
    {Error::DataOverlapsProgram, "124-Data occupies same location as program"},
    {Error::SymbolTableFull, "128-Symbol table full"},
    {Error::ExpectedDebugItem, "243-Expected a variable, text, or DEBUG command"},
    {Error::UnrecognizedCharacter, "103-Unrecognized character"},
    {Error::ExpectedColonOrEnd, "129-Expected ':' or end-of-line"},
    {Error::ExpectedCommaOrEnd, "130-Expected ',', end-of-line, or ':'"},
    {Error::ExpectedOperatorOrEnd, "244-Expected an operator, end-of-line, or ':'"},
    {Error::ExpectedOperator, "245-Expected an operator"},
    {Error::ExpectedTo, "152-Expected 'TO'"},
};
static_assert(std::size(kErrorRows) == ErrorCount);

}  // namespace

std::string_view ErrorText(Error error) {
  for (const ErrorRow& row : kErrorRows)
    if (row.error == error) return row.text;
  return {};
}

}  // namespace tok::vd1
