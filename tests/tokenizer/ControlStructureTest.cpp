// Jumps of the control structures, the return table, fix-ups and the nesting limits.

#include <gtest/gtest.h>

#include "CompileSupport.h"
#include "tokenizer/StatementCode.h"

using namespace vd2test;

namespace {

constexpr int B1 = 7, B2 = 8;
std::string Push(const std::string& item) {
  return "1" + item;
}
std::string SetB(int cell, unsigned value) {
  return PushC(value) + Push(Var(2, cell, true)) + Tok(26);
}
std::string Goto(int target) {
  return Tok(9) + Addr(target);
}
int Len(const std::string& s) {
  return static_cast<int>(s.size());
}

TEST(ControlStructures, ThreeGosubsAndTheirReturnTable) {
  const Result r = Compile(Program("GOSUB a\nGOSUB a\nGOSUB a\na:\nRETURN\n"));
  ASSERT_TRUE(r.Ok) << r.Error;
  // Code starts at (3 + 1) * 14 = 56; each GOSUB is 7 + 8 + 14 bits.
  const int a = 56 + 3 * 29;
  std::string code;
  for (int n = 1; n <= 3; ++n) code += Tok(10) + Binary(n, 8) + Addr(a);
  const std::string table = Addr(56) + Addr(85) + Addr(114) + Addr(143);
  EXPECT_EQ(Addr(56), "000" + Binary(7, 11));
  EXPECT_EQ(CodeBits(*r.T), table + code + Tok(11) + Tok(0));
}

TEST(ControlStructures, OnGosubCallsItsBranchAndReturnsBehindIt) {
  const Result r = Compile(Program("ON B1 GOSUB a, b\na:\nb:\nRETURN\n"));
  ASSERT_TRUE(r.Ok) << r.Error;
  const int start = 28;
  std::string s = Tok(10) + Binary(1, 8);
  s += Addr(start + Len(s) + 14);
  s += Push(Var(2, B1)) + Tok(15);
  const int afterLabels = start + Len(s) + 14 + 1 + 14 + 1 + 7;  // two fields, two bits, RETURN
  s += Addr(afterLabels) + "1" + Addr(afterLabels) + "0" + Tok(11);
  EXPECT_EQ(CodeBits(*r.T), Addr(start) + Addr(afterLabels) + s + Tok(11) + Tok(0));
}

struct FlowCase {
  const char* Name;
  const char* Body;
  const char* Version;
  std::string Expected;  // from position 14 on
};

std::vector<FlowCase> FlowCases() {
  std::vector<FlowCase> cases;
  const int s = 14;
  const std::string cond = Push(Var(2, B1)) + Tok(13);
  {
    const std::string body = cond + Addr(s + Len(cond) + 14);
    cases.push_back({"IF THEN label: jump form, no frame", "IF B1 THEN done\ndone:\n", "2.5", body + Tok(0)});
    cases.push_back({"IF THEN GOTO label: the same", "IF B1 THEN GOTO done\ndone:\n", "2.5", body + Tok(0)});
    cases.push_back({"IF THEN label in 2.0", "IF B1 THEN done\ndone:\n", "2.0", body + Tok(0)});
  }
  {
    // IF B1 THEN B2 = 1 ELSE B2 = 0 (single line), then HIGH 1.
    const int thenPart = s + Len(cond) + 14 + 7 + 14;
    const std::string thenCode = SetB(B2, 1);
    const int elsePart = thenPart + Len(thenCode) + 7 + 14;
    const std::string elseCode = SetB(B2, 0);
    const int end = elsePart + Len(elseCode);
    cases.push_back({"single-line IF with ELSE closes at the line end",
                     "IF B1 THEN B2 = 1 ELSE B2 = 0\nHIGH 1\n", "2.5",
                     cond + Addr(thenPart) + Goto(elsePart) + thenCode + Goto(end) + elseCode + PushC(1) +
                         Tok(5) + Tok(0)});
  }
  {
    // IF B1 THEN B2 = 1 : B3 = 2 ELSE B2 = 0 -- the ':' continues the THEN part.
    const int thenPart = s + Len(cond) + 14 + 7 + 14;
    const std::string thenCode = SetB(B2, 1) + SetB(9, 2);
    const int elsePart = thenPart + Len(thenCode) + 7 + 14;
    const std::string elseCode = SetB(B2, 0);
    const int end = elsePart + Len(elseCode);
    cases.push_back({"single-line IF with two THEN statements",
                     "IF B1 THEN B2 = 1 : B3 = 2 ELSE B2 = 0\nHIGH 1\n", "2.5",
                     cond + Addr(thenPart) + Goto(elsePart) + thenCode + Goto(end) + elseCode + PushC(1) +
                         Tok(5) + Tok(0)});
  }
  {
    // Nested single-line IFs both end at the line end.
    const std::string inner = Push(Var(2, B2)) + Tok(13);
    const int innerAt = s + Len(cond) + 14 + 7 + 14;
    const int innerThen = innerAt + Len(inner) + 14 + 7 + 14;
    const std::string set = SetB(B1, 1);
    const int end = innerThen + Len(set);
    cases.push_back({"nested single-line IFs close together", "IF B1 THEN IF B2 THEN B1 = 1\nHIGH 1\n", "2.5",
                     cond + Addr(innerAt) + Goto(end) + inner + Addr(innerThen) + Goto(end) + set + PushC(1) +
                         Tok(5) + Tok(0)});
  }
  {
    // IF / ELSEIF / ELSE / ENDIF on several lines.
    const std::string cond2 = Push(Var(2, B2)) + Tok(13);
    const int then1 = s + Len(cond) + 14 + 7 + 14;
    const std::string set1 = SetB(B1, 1), set2 = SetB(B1, 2), set3 = SetB(B1, 3);
    const int elseif = then1 + Len(set1) + 7 + 14;
    const int then2 = elseif + Len(cond2) + 14 + 7 + 14;
    const int elsePart = then2 + Len(set2) + 7 + 14;
    const int end = elsePart + Len(set3);
    cases.push_back({"IF ELSEIF ELSE ENDIF",
                     "IF B1 THEN\nB1 = 1\nELSEIF B2 THEN\nB1 = 2\nELSE\nB1 = 3\nENDIF\n", "2.5",
                     cond + Addr(then1) + Goto(elseif) + set1 + Goto(end) + cond2 + Addr(then2) +
                         Goto(elsePart) + set2 + Goto(end) + set3 + Tok(0)});
  }
  {
    // DO WHILE B1 : B1 = 1 : LOOP
    const int body = s + Len(cond) + 14 + 7 + 14;
    const std::string set = SetB(B1, 1);
    const int end = body + Len(set) + 7 + 14;
    cases.push_back({"DO WHILE ... LOOP", "DO WHILE B1\nB1 = 1\nLOOP\n", "2.5",
                     cond + Addr(body) + Goto(end) + set + Goto(s) + Tok(0)});
  }
  {
    // DO : B1 = 1 : EXIT : LOOP UNTIL B1
    const std::string set = SetB(B1, 1);
    const int exitAt = s + Len(set);
    const int loopAt = exitAt + 7 + 14;
    const int end = loopAt + Len(cond) + 14 + 7 + 14;
    cases.push_back({"DO ... EXIT ... LOOP UNTIL", "DO\nB1 = 1\nEXIT\nLOOP UNTIL B1\n", "2.5",
                     set + Goto(end) + cond + Addr(end) + Goto(s) + Tok(0)});
  }
  {
    // FOR B1 = 1 TO 10 STEP 2 : HIGH 1 : NEXT
    const std::string start = SetB(B1, 1);
    const int loop = s + Len(start);
    const std::string body = PushC(1) + Tok(5);
    const std::string next =
        PushC(10) + PushC(1) + Tok(14) + Var(2, B1) + PushC(2) + "0" + Var(2, B1, true) + "0" + Addr(loop);
    cases.push_back({"FOR TO STEP and NEXT", "FOR B1 = 1 TO 10 STEP 2\nHIGH 1\nNEXT\n", "2.5",
                     start + body + next + Tok(0)});
    const std::string next1 =
        PushC(10) + PushC(1) + Tok(14) + Var(2, B1) + PushC(1) + "0" + Var(2, B1, true) + "0" + Addr(loop);
    cases.push_back({"NEXT steps by 1 without STEP", "FOR B1 = 1 TO 10\nHIGH 1\nNEXT\n", "2.0",
                     start + body + next1 + Tok(0)});
  }
  {
    // CASE 1, 3 TO 5 tests (sel = 1) OR ((sel >= 3) AND (sel <= 5)).
    const std::string sel = Var(2, B1);
    const std::string test = sel + PushC(1) + Op(28) + "1" + sel + PushC(3) + Op(26) + "1" + sel + PushC(5) +
                             Op(27) + Op(10) + Op(11);
    const int body = s + 1 + Len(test) + 7 + 14 + 7 + 14;
    const std::string set = SetB(B2, 1);
    const int end = body + Len(set);
    cases.push_back({"CASE with a value and a range", "SELECT B1\nCASE 1, 3 TO 5\nB2 = 1\nENDSELECT\n", "2.5",
                     Push(test) + Tok(13) + Addr(body) + Goto(end) + set + Tok(0)});
  }
  {
    // CASE 1 / CASE ELSE: the first CASE's jump goes to the CASE ELSE body, the exits to the end.
    const std::string sel = Var(2, B1);
    const std::string test = Push(sel + PushC(1) + Op(28)) + Tok(13);
    const int body1 = s + Len(test) + 14 + 7 + 14;
    const std::string set1 = SetB(B2, 1), set2 = SetB(B2, 2);
    const int elseBody = body1 + Len(set1) + 7 + 14;
    const int end = elseBody + Len(set2);
    cases.push_back({"CASE ELSE writes every field once",
                     "SELECT B1\nCASE 1\nB2 = 1\nCASE ELSE\nB2 = 2\nENDSELECT\n", "2.5",
                     test + Addr(body1) + Goto(elseBody) + set1 + Goto(end) + set2 + Tok(0)});
  }
  {
    // ELSEIF with a label is a branch that jumps to the label; a false condition still goes
    // on to the next branch.
    const std::string cond2 = Push(Var(2, B2)) + Tok(13);
    const int then1 = s + Len(cond) + 14 + 7 + 14;
    const std::string high1 = PushC(1) + Tok(5), high2 = PushC(2) + Tok(5);
    const int elseif = then1 + Len(high1) + 7 + 14;
    const int then2 = elseif + Len(cond2) + 14 + 7 + 14;
    const int end = then2 + 7 + 14 + Len(high2);
    cases.push_back({"ELSEIF with a label", "IF B1 THEN\nHIGH 1\nELSEIF B2 THEN done\nHIGH 2\nENDIF\ndone:\n", "2.5",
                     cond + Addr(then1) + Goto(elseif) + high1 + Goto(end) + cond2 + Addr(then2) + Goto(end) +
                         Goto(end) + high2 + Tok(0)});
  }
  {
    // A label used before its definition is filled after the loop.
    cases.push_back({"forward label", "GOTO later\nHIGH 1\nlater:\n", "2.5",
                     Goto(s + 21 + 15) + PushC(1) + Tok(5) + Tok(0)});
  }
  return cases;
}

TEST(ControlStructures, JumpsOfEveryStructure) {
  for (const FlowCase& c : FlowCases()) {
    SCOPED_TRACE(c.Name);
    const int before = tok::code::FieldsPatchedTwice();
    const Result r = Compile(Program(c.Body, 2, c.Version));
    ASSERT_TRUE(r.Ok) << r.Error;
    EXPECT_EQ(CodeBits(*r.T, 14), c.Expected);
    EXPECT_EQ(tok::code::FieldsPatchedTwice(), before) << "an address field was written twice";
  }
}

TEST(ControlStructures, UnclosedStructuresAreNotReportedIn20) {
  const Result r = Compile(Program("FOR B1 = 1 TO 2\nHIGH 1\n", 2, "2.0"));
  EXPECT_TRUE(r.Ok) << r.Error;
}

// ---- limits -------------------------------------------------------------------------------------

std::string Repeat(const std::string& s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

struct LimitCase {
  const char* Name;
  std::string Body;
  const char* Message;
  std::string Marked;  // the text at the error
  int MarkedAt;        // its offset in Body
};

std::vector<LimitCase> LimitCases() {
  std::vector<LimitCase> cases;
  {
    std::string body = Repeat("GOSUB a\n", 256) + "a:\nRETURN\n";
    cases.push_back({"256 GOSUBs", body, "145-Limit of 255 GOSUBs exceeded", "GOSUB", 255 * 8});
  }
  {
    std::string body = Repeat("FOR B1 = 1 TO 2\n", 17);
    cases.push_back(
        {"17 nested FORs", body, "146-Limit of 16 nested FOR-NEXT loops exceeded", "FOR", 16 * 16});
  }
  {
    std::string body = Repeat("IF 1 THEN\n", 17);
    cases.push_back(
        {"17 nested IFs", body, "158-Limit of 16 nested IF-THEN statements exceeded", "IF", 16 * 10});
  }
  {
    std::string body = Repeat("DO\n", 17);
    cases.push_back(
        {"17 nested DOs", body, "163-Limit of 16 nested DO-LOOP statements exceeded", "DO", 16 * 3});
  }
  {
    std::string body = Repeat("SELECT 1\nCASE 1\n", 17);
    cases.push_back(
        {"17 nested SELECTs", body, "178-Limit of 16 nested SELECT statements exceeded", "SELECT", 16 * 16});
  }
  {
    std::string body = "DO\n" + Repeat("EXIT\n", 17) + "LOOP\n";
    cases.push_back({"17 EXITs", body, "171-Limit of 16 EXIT statements within loop structure exceeded",
                     "EXIT", 3 + 16 * 5});
  }
  {
    std::string body = "SELECT B1\n";
    for (int i = 0; i < 17; ++i) body += "CASE " + std::to_string(i % 10) + "\nHIGH 1\n";
    body += "ENDSELECT\n";
    cases.push_back({"17 CASEs", body, "181-Limit of 16 CASE statements within SELECT structure exceeded",
                     "CASE", 10 + 16 * 14});
  }
  {
    std::string body = "IF 1 THEN\nHIGH 1\n" + Repeat("ELSEIF 1 THEN\nHIGH 1\n", 17) + "ENDIF\n";
    cases.push_back({"17 ELSEIFs", body, "229-Limit of 16 ELSEIF statements within IF structure exceeded",
                     "ELSEIF", 17 + 16 * 21});
  }
  {
    // HIGH 1 is 15 bits; code starts at 14; the push of statement 1092 passes 16384 bits, after
    // its expression has read the line end.
    std::string body = Repeat("HIGH 1\n", 1100);
    cases.push_back({"EEPROM full", body, "127-EEPROM full", "\n", 1091 * 7 + 6});
  }
  {
    std::string body = "DATA @ 2047, 5\nHIGH 1\n";
    cases.push_back({"code meets DATA", body, "124-Data occupies same location as program", "5", 13});
  }
  return cases;
}

TEST(ControlStructures, EveryLimitFailsAtItsElement) {
  for (const LimitCase& c : LimitCases()) {
    SCOPED_TRACE(c.Name);
    const std::string source = Program(c.Body);
    const int header = static_cast<int>(source.size() - c.Body.size());
    const Result r = Compile(source);
    ASSERT_FALSE(r.Ok);
    EXPECT_EQ(r.Error, c.Message);
    EXPECT_EQ(r.Start - header, c.MarkedAt);
    EXPECT_EQ(r.Length, static_cast<int>(c.Marked.size()));
    EXPECT_EQ(r.ErrorText(source), c.Marked);
  }
}

TEST(ControlStructures, SymbolTableFullWhileDeclaring) {
  const Result empty = Compile(Program("END\n"));
  ASSERT_TRUE(empty.Ok);
  const int room = 1024 - empty.T->SymbolTable.Count;
  std::string body;
  for (int i = 0; i <= room; ++i) body += "c" + std::to_string(i) + " CON " + std::to_string(i % 10) + "\n";
  const std::string source = Program(body + "END\n");
  const Result r = Compile(source);
  ASSERT_FALSE(r.Ok);
  EXPECT_EQ(r.Error, "128-Symbol table full");
  const std::string line = "c" + std::to_string(room) + " CON ";
  EXPECT_EQ(r.Start, static_cast<int>(source.find("\n" + line)) + 1 + static_cast<int>(line.size()));
  EXPECT_EQ(r.Length, 1);
}

}  // namespace
