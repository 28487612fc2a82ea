// Every error the declaration passes, the statement loop and the instruction compilers raise,
// with the exact text it marks. Each row: the program body with the expected mark between
// backquotes, the message, and the module and language version.

#include <gtest/gtest.h>

#include "CompileSupport.h"

using namespace vd2test;

namespace {

// The body marks the expected error text with backquotes.
struct ErrorCase {
  const char* Body;
  const char* Message;
  int Module = 2;
  const char* Version = "2.5";
};

struct Marked {
  std::string Text;
  int Start = 0, Length = 0;
};

Marked Unmark(const std::string& body) {
  const size_t open = body.find('`');
  const size_t close = body.find('`', open + 1);
  Marked m;
  m.Text = body.substr(0, open) + body.substr(open + 1, close - open - 1) + body.substr(close + 1);
  m.Start = static_cast<int>(open);
  m.Length = static_cast<int>(close - open - 1);
  return m;
}

const ErrorCase Cases[] = {
    // Declarations.
    {"a VAR `b`\nHIGH 1\n", "110-Undefined symbol"},
    {"A CON `B`\nB CON C\nC CON 1\nHIGH A\n", "110-Undefined symbol"},
    {"DATA @ `2048`\n", "114-Location is out of range"},
    {"DATA @ 2047, WORD `1`\n", "114-Location is out of range"},
    {"DATA @ 2046, (3`)`\n", "114-Location is out of range"},
    {"DATA 1\nDATA @ 0, `2`\n", "115-Location already contains data"},
    {"x CON 1\n`x` CON 2\n", "123-Symbol is already defined"},
    {"`HIGH` CON 2\n", "123-Symbol is already defined"},
    {"`x` VAR BYTE\nx DATA 1\n", "123-Symbol is already defined"},  // DATA names come first
    {"x VAR BYTE\n`x` VAR WORD\n", "123-Symbol is already defined"},
    {"a VAR BYTE(`0`)\n", "125-Array size cannot be 0"},
    {"a VAR BYTE(256)`\n`", "126-Out of variable space"},
    {"a VAR WORD(13)\nb VAR BIT`\n`", "126-Out of variable space"},
    {"a VAR WORD(14)`\n`", "126-Out of variable space"},
    {"x CON 5 `6`\n", "129-Expected ':' or end-of-line"},
    {"x VAR BYTE `1`\n", "129-Expected ':' or end-of-line"},
    {"DATA 1 `2`\n", "130-Expected ',', end-of-line, or ':'"},
    {"a VAR `5`\n", "135-Expected a variable"},
    {"a VAR IN3`.`BIT0\n", "138-Variable is already bit-size"},
    {"a VAR B0.`NIB2`\n", "140-Variable modifier is out-of-range"},
    {"a VAR B0.`BYTE1`\n", "139-Expected a smaller-size variable modifier"},
    {"a VAR B0.`5`\n", "137-Expected a variable modifier"},
    {"DATA (2`\n`", "120-Expected ')'"},
    {"p PIN `16`\n", "175-Pin number must be 0 to 15"},
    {"p PIN `10 + 6`\n", "175-Pin number must be 0 to 15"},
    // Labels and the statement loop.
    {"HIGH 1 `2`\n", "142-Expected a binary operator or ')'"},
    {"here:\n`here`:\n", "117-Label is already defined"},
    {"`here`\nHIGH 1\n", "174-Label is missing ':'"},
    {"`5`\n", "149-Expected a label, variable, or instruction"},
    {"HIGH 1`,` 2\n", "129-Expected ':' or end-of-line"},
    {"GOTO `nowhere`\n", "111-Undefined label"},
    {"GOTO `5`\n", "148-Expected a label"},
    {"x VAR BYTE\nx `5`\n", "150-Expected '='"},
    // Control structures.
    {"IF 1 = 1 `GOTO` x\nx:\n", "151-Expected 'THEN'"},
    {"`IF` 1 THEN\n", "168-'IF' without 'ENDIF'"},
    {"`ELSE`\n", "159-'ELSE' must be preceded by 'IF' or 'CASE'"},
    {"`ENDIF`\n", "160-'ENDIF' must be preceded by 'IF'"},
    {"`ELSEIF` 1 THEN\n", "228-'ELSEIF' must be preceded by 'IF'"},
    {"IF 1 THEN\nELSE\n`ELSE`\nENDIF\n", "161-Expected a label, variable, instruction, or 'ENDIF'"},
    {"IF 1 THEN\nELSE\n`ELSEIF` 1 THEN\nENDIF\n", "230-'ELSEIF' not allowed after 'ELSE'"},
    {"IF 1 THEN HIGH 1 ELSE `ELSE`\n", "162-Expected a label, variable, instruction, or end-of-line"},
    {"IF 1 THEN\nDO\n`ENDIF`\n", "177-Expected a label, variable, instruction, or 'LOOP'"},
    {"DO\nLOOP WHILE`\n`", "141-Expected a constant, variable, unary operator, or '('"},
    {"DO `1`\nLOOP\n", "166-Expected 'WHILE', 'UNTIL', end-of-line, or ':'"},
    {"`LOOP`\n", "164-'LOOP' must be preceded by 'DO'"},
    {"DO WHILE 1\nLOOP `UNTIL` 1\n",
     "165-'WHILE' or 'UNTIL' conditions cannot appear after both 'DO' and 'LOOP'"},
    {"`DO`\n", "170-'DO' without 'LOOP'"},
    {"x VAR BYTE\n`FOR` x = 1 TO 2\n", "169-'FOR' without 'NEXT'"},
    {"x VAR BYTE\nFOR x = 1 `STEP` 2\nNEXT\n", "152-Expected 'TO'"},
    {"x VAR BYTE\nFOR x = 1 TO 2 `TO` 3\nNEXT\n", "131-Expected 'STEP', end-of-line, or ':'"},
    {"`NEXT`\n", "132-'NEXT' must be preceded by 'FOR'"},
    {"x VAR BYTE\nFOR x = 1 TO 2\nDO\n`NEXT`\n", "177-Expected a label, variable, instruction, or 'LOOP'"},
    {"x VAR BYTE\nDO\nFOR x = 1 TO 2\n`LOOP`\n", "176-Expected a label, variable, instruction, or 'NEXT'"},
    {"`EXIT`\n", "167-'EXIT' only allowed within FOR-NEXT and DO-LOOP structures"},
    {"x VAR BYTE\nSELECT x\n`HIGH` 1\n", "179-Expected 'CASE'"},
    {"x VAR BYTE\nSELECT x `THEN`\n", "129-Expected ':' or end-of-line"},
    {"`CASE` 1\n", "180-'CASE' must be preceded by 'SELECT'"},
    {"`ENDSELECT`\n", "183-'ENDSELECT' must be preceded by 'SELECT'"},
    {"x VAR BYTE\n`SELECT` x\nCASE 1\n", "184-'SELECT' without 'ENDSELECT'"},
    {"x VAR BYTE\nSELECT x\nCASE 1\n`CASE` 2\nHIGH 1\nENDSELECT\n",
     "226-Expected statements to follow previous 'CASE'"},
    {"x VAR BYTE\nSELECT x\nCASE 1\n`ENDSELECT`\n", "226-Expected statements to follow previous 'CASE'"},
    {"x VAR BYTE\nSELECT x\nCASE 1 `THEN`\nENDSELECT\n", "130-Expected ',', end-of-line, or ':'"},
    {"x VAR BYTE\nSELECT x\nCASE 1 TO 2 `TO` 3\nHIGH 1\nENDSELECT\n",
     "130-Expected ',', end-of-line, or ':'"},
    {"x VAR BYTE\nSELECT x\nCASE `>` 1 TO 2\nHIGH 1\nENDSELECT\n",
     "141-Expected a constant, variable, unary operator, or '('"},
    {"x VAR BYTE\nDO\nSELECT x\nCASE 1\nHIGH 1\n`LOOP`\n",
     "182-Expected a label, variable, instruction, or 'ENDSELECT'"},
    {"x VAR BYTE\nFOR x = 1 TO 2\nSELECT x\nCASE 1\nHIGH 1\n`NEXT`\n",
     "182-Expected a label, variable, instruction, or 'ENDSELECT'"},
    {"DO\nIF B1 THEN `LOOP`\n", "161-Expected a label, variable, instruction, or 'ENDIF'"},
    {"x VAR BYTE\nFOR x = 1 TO 2\nIF B1 THEN `NEXT`\n",
     "161-Expected a label, variable, instruction, or 'ENDIF'"},
    // Instructions.
    {"ON 1 `HIGH` a\n", "185-Expected 'GOTO' or 'GOSUB'"},
    {"ON 1 GOTO a `b`\na:\n", "130-Expected ',', end-of-line, or ':'"},
    {"BRANCH 1, [a `b`]\na:\n", "134-Expected ',' or ']'"},
    {"BRANCH 1 `[`a]\na:\n", "133-Expected ','"},
    {"BRANCH 1, `a`\na:\n", "121-Expected '['"},
    {"LOOKUP 1, [2, 3] `x`\n", "133-Expected ','"},
    {"x VAR BYTE\nLOOKDOWN 1, `x` [2], x\n", "143-Expected a comparison operator or '['"},
    {"x VAR BYTE\nLOOKUP 1, [2], `3`\n", "135-Expected a variable"},
    {"x VAR BYTE\nREAD 0, `BYTE` x\n", "172-Expected variable or 'WORD'"},
    {"x VAR BYTE\nREAD 0, WORD `x`\n", "173-Expected a word variable"},
    {"READ 0, WORD `W1.HIGHBYTE`\n", "173-Expected a word variable"},
    {"WRITE 0, `NIB` 1\n", "227-Expected a constant, variable or 'WORD'"},
    {"READ 0, B1 `B2`\n", "130-Expected ',', end-of-line, or ':'"},
    {"READ 0, B1`,` B2\n", "129-Expected ':' or end-of-line", 2, "2.0"},
    {"SEROUT 1, 2, [3 `THEN`]\n", "122-Expected ']'"},
    {"XOUT 1, 2, [3 `THEN`]\n", "118-Expected '\\'"},
    {"DEBUG STR `5`\n", "136-Expected a byte variable"},
    {"DEBUG ASC `x`\n", "116-Expected '?'"},
    {"DEBUGIN WAIT `1`\n", "119-Expected '('"},
    {"DEBUGIN WAIT (1, 2`\n`", "120-Expected ')'"},
    {"DEBUGIN WAIT (1, 2, 3, 4, 5, 6`,` 7)\n", "147-Limit of 6 values exceeded"},
    {"DEBUGIN STR B1 `5`\n", "118-Expected '\\'"},
    {"DEBUGIN WAIT (1 + (2 + (3 + `4`)))\n",
     "144-Expression is too complex"},  // the first value starts at depth 5
    {"BUTTON 1 + (2 + (3 + `4`)), 0, 0, 0, B1, 0, x\nx:\n",
     "144-Expression is too complex"},  // the pin is at depth 5
    // GET, PUT and RUN are keywords from the VD2E on: on the VD2 they are new names (labels).
    {"`GET` 0, B1\n", "174-Label is missing ':'"},
    {"`PUT` 0, 1\n", "174-Label is missing ':'"},
    {"`RUN` 1\n", "174-Label is missing ':'"},
    {"GET `0`, B1\n", "129-Expected ':' or end-of-line", 2, "2.0"},
};

TEST(StatementErrors, EveryRowWithItsPosition) {
  for (const ErrorCase& c : Cases) {
    const Marked m = Unmark(c.Body);
    const std::string source = Program(m.Text, c.Module, c.Version);
    const int header = static_cast<int>(source.size() - m.Text.size());
    const Result r = Compile(source);
    SCOPED_TRACE(c.Body);
    ASSERT_FALSE(r.Ok);
    EXPECT_EQ(r.Error, c.Message);
    EXPECT_TRUE(r.Start == header + m.Start && r.Length == m.Length)
        << "marked '" << r.ErrorText(source) << "' at " << r.Start - header << " instead of " << m.Start;
  }
}

}  // namespace
