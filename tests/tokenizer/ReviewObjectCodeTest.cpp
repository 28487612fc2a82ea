// Whole programs compiled to object code, with the expected bit stream spelled out by hand from
// the encoding rules: return table, instruction codes per module, jumps, loops and item lists.

#include <gtest/gtest.h>

#include <ostream>

#include "CompileSupport.h"

namespace {

using namespace vd2test;

struct BitsCase {
  const char* Name;
  const char* Body;
  int Module;
  const char* Version;
  std::string Expected;  // the object code from position 0
};

// Test listings show the case by its name, not as raw bytes.
void PrintTo(const BitsCase& c, std::ostream* out) { *out << c.Name; }

std::string ByteItem(int address, bool write = false) { return Var(2, address, write); }

// Output item helpers: a character of a name text, and the end of an item.
std::string CharItem(unsigned c) { return Const(c) + "01"; }

std::vector<BitsCase> Cases() {
  const std::string start14 = Addr(14);
  return {
      {"HighWithConstantPin", "HIGH 5\n", 2, "2.5", start14 + PushC(5) + Tok(5) + Tok(0)},
      {"AssignmentOnVd2", "B0 = 1\n", 2, "2.5", start14 + PushC(1) + "1" + ByteItem(6, true) + Tok(26) + Tok(0)},
      {"AssignmentOnVd2P", "B0 = 1\n", 5, "2.5", start14 + PushC(1) + "1" + ByteItem(6, true) + Tok(31) + Tok(0)},
      {"AssignmentOnVd2E", "B0 = 1\n", 3, "2.5", start14 + PushC(1) + "1" + ByteItem(6, true) + Tok(29) + Tok(0)},
      {"GetOnVd2P", "GET 3, B1\n", 5, "2.5", start14 + PushC(3) + Tok(26) + ByteItem(7, true) + "0" + Tok(0)},
      {"GosubFillsItsReturnSlot", "GOSUB sub\nEND\nsub: RETURN\n", 2, "2.5",
       Addr(28) + Addr(57) + Tok(10) + Binary(1, 8) + Addr(64) + Tok(0) + Tok(11) + Tok(0)},
      {"BlockIf", "IF B0 = 1 THEN\nHIGH 1\nENDIF\n", 2, "2.5",
       start14 + "1" + ByteItem(6) + "1" + Const(1) + Op(28) + Tok(13) + Addr(83) + Tok(9) + Addr(98) + PushC(1) +
           Tok(5) + Tok(0)},
      {"ForNextWithoutStep", "FOR B0 = 1 TO 5\nNEXT\n", 2, "2.5",
       start14 + PushC(1) + "1" + ByteItem(6, true) + Tok(26) + PushC(5) + PushC(1) + Tok(14) + ByteItem(6) +
           PushC(1) + "0" + ByteItem(6, true) + "0" + Addr(41) + Tok(0)},
      {"LookdownWithComparison", "LOOKDOWN B0, >= [1, 2], B1\n", 2, "2.5",
       start14 + "1" + ByteItem(6) + Tok(17) + "010" + Const(1) + "0" + "1" + Const(2) + "0" + "0" +
           ByteItem(7, true) + "0" + Tok(0)},
      {"ReadThreeBytes", "READ 10, B0, B1, B2\n", 2, "2.5",
       [] {
         std::string s = Addr(14);
         int pos = 14;
         const std::string loc = Const(10);
         for (int k = 0; k < 3; ++k) {
           std::string push = "1" + loc + (k ? "1" + Const(k) + Op(15) : std::string());
           s += push + Tok(19);
           pos += static_cast<int>(push.size()) + 7;
           s += Addr(pos + 14);
           pos += 14;
           const std::string store = ByteItem(6 + k, true) + "0";
           s += store;
           pos += static_cast<int>(store.size());
         }
         return s + Tok(0);
       }()},
      {"DebugOneConstantVd2", "DEBUG 65\n", 2, "2.5", start14 + PushC(84) + PushC(16) + Tok(32) + Const(65) + "00" + Tok(0)},
      {"DebugOneConstantVd2SX", "DEBUG 65\n", 4, "2.5",
       start14 + PushC(240) + PushC(16) + Tok(32) + Const(65) + "00" + Tok(0)},
      {"DebugQuestionVariable", "DEBUG ? B0\n", 2, "2.5",
       start14 + PushC(84) + PushC(16) + Tok(32) + CharItem('B') + CharItem('0') + CharItem(' ') + CharItem('=') +
           CharItem(' ') + Const(438) + "1" + ByteItem(6) + "0" + PushC(13) + "0" + "0" + Tok(0)},
      {"DebugHexQuestion", "DEBUG HEX ? B0\n", 2, "2.5",
       start14 + PushC(84) + PushC(16) + Tok(32) + CharItem('B') + CharItem('0') + CharItem(' ') + CharItem('=') +
           CharItem(' ') + Const(2496) + "1" + ByteItem(6) + "0" + PushC(13) + "0" + "0" + Tok(0)},
      {"DtmfoutDefaultTimes", "DTMFOUT 3, [1]\n", 2, "2.5",
       start14 + PushC(3) + PushC(50) + PushC(200) + Tok(24) + Const(1) + "0" + "0" + Tok(0)},
      {"DebuginWaitOk", "DEBUGIN WAIT (\"OK\")\n", 2, "2.5",
       start14 + PushC(1) + PushC(84) + PushC(16) + Tok(34) + "1" + Const(75) + "1" + Const(79) + "1" + Const(3140) +
           PushC(2) + "0" + "0" + Tok(0)},
      {"DebuginPlainVariable", "DEBUGIN B0\n", 2, "2.5",
       start14 + PushC(1) + PushC(84) + PushC(16) + Tok(34) + "0" + ByteItem(6, true) + "0" + "0" + Tok(0)},
      {"WritePushesValueBeforeLocation", "WRITE 7, B0\n", 2, "2.5",
       start14 + "1" + ByteItem(6) + PushC(7) + Tok(20) + Addr(14 + 12 + 10 + 7 + 14) + Tok(0)},
      {"PinNameAsConstantAndOutputBit", "led PIN 4\nHIGH led\nled = 1\n", 2, "2.5",
       start14 + PushC(4) + Tok(5) + PushC(1) + "1" + Var(0, 20, true) + Tok(26) + Tok(0)},
      {"SingleLineIfElse", "IF B0 = 1 THEN B1 = 1 ELSE B1 = 0\n", 2, "2.5",
       start14 + "1" + ByteItem(6) + "1" + Const(1) + Op(28) + Tok(13) + Addr(83) + Tok(9) + Addr(131) + PushC(1) + "1" +
           ByteItem(7, true) + Tok(26) + Tok(9) + Addr(158) + PushC(0) + "1" + ByteItem(7, true) + Tok(26) + Tok(0)},
      {"IfJumpsToLabel", "IF B0 = 1 THEN done\nHIGH 1\ndone:\n", 2, "2.5",
       start14 + "1" + ByteItem(6) + "1" + Const(1) + Op(28) + Tok(13) + Addr(77) + PushC(1) + Tok(5) + Tok(0)},
      {"IfThenGotoLabel", "IF B0 = 1 THEN GOTO done\nHIGH 1\ndone:\n", 2, "2.5",
       start14 + "1" + ByteItem(6) + "1" + Const(1) + Op(28) + Tok(13) + Addr(77) + PushC(1) + Tok(5) + Tok(0)},
      {"CaseValueAndRange", "SELECT B0\nCASE 1, 3 TO 5\nHIGH 1\nENDSELECT\n", 2, "2.5",
       start14 + "1" + ByteItem(6) + "1" + Const(1) + Op(28) + "1" + ByteItem(6) + "1" + Const(3) + Op(26) + "1" +
           ByteItem(6) + "1" + Const(5) + Op(27) + Op(10) + Op(11) + Tok(13) + Addr(154) + Tok(9) + Addr(169) +
           PushC(1) + Tok(5) + Tok(0)},
      {"DoWhileLoop", "DO WHILE B0 < 3\nHIGH 1\nLOOP\n", 2, "2.5",
       start14 + "1" + ByteItem(6) + "1" + Const(3) + Op(31) + Tok(13) + Addr(84) + Tok(9) + Addr(120) + PushC(1) +
           Tok(5) + Tok(9) + Addr(14) + Tok(0)},
      {"OnGosub", "ON B0 GOSUB a, b\nEND\na: RETURN\nb: RETURN\n", 2, "2.5",
       Addr(28) + Addr(113) + Tok(10) + Binary(1, 8) + Addr(57) + "1" + ByteItem(6) + Tok(15) + Addr(120) + "1" +
           Addr(127) + "0" + Tok(11) + Tok(0) + Tok(11) + Tok(11) + Tok(0)},
      {"SeroutPlain", "SEROUT 1, 84, [65]\n", 2, "2.5", start14 + PushC(84) + PushC(1) + Tok(32) + Const(65) + "00" + Tok(0)},
      {"SerinPlain", "SERIN 1, 84, [B0]\n", 2, "2.5",
       start14 + PushC(1) + PushC(84) + PushC(1) + Tok(34) + "0" + ByteItem(6, true) + "00" + Tok(0)},
      {"SerinWithTimeout", "SERIN 1, 84, 1000, tl, [B0]\ntl:\n", 2, "2.5",
       start14 + "11011101" + Addr(96) + PushC(1000) + PushC(84) + PushC(1) + Tok(34) + "0" + ByteItem(6, true) + "00" +
           Tok(0)},
      {"I2cinWithoutAddress", "I2CIN 0, 160, [B0]\n", 5, "2.5",
       start14 + PushC(160) + PushC(0) + PushC(0) + Tok(48) + "0" + ByteItem(6, true) + "00" + Tok(0)},
      {"PulsinIntoWord", "PULSIN 3, 1, W1\n", 2, "2.5", start14 + PushC(1) + PushC(3) + Tok(37) + Var(3, 4, true) + "0" + Tok(0)},
      {"ElseIfChain", "IF B0 = 1 THEN\nHIGH 1\nELSEIF B0 = 2 THEN\nHIGH 2\nENDIF\n", 2, "2.5",
       start14 + "1" + ByteItem(6) + "1" + Const(1) + Op(28) + Tok(13) + Addr(83) + Tok(9) + Addr(119) + PushC(1) +
           Tok(5) + Tok(9) + Addr(203) + "1" + ByteItem(6) + "1" + Const(2) + Op(28) + Tok(13) + Addr(188) + Tok(9) +
           Addr(203) + PushC(2) + Tok(5) + Tok(0)},
      {"ExitLeavesTheFor", "FOR B0 = 1 TO 3\nEXIT\nNEXT\n", 2, "2.5",
       start14 + PushC(1) + "1" + ByteItem(6, true) + Tok(26) + Tok(9) + Addr(132) + PushC(3) + PushC(1) + Tok(14) +
           ByteItem(6) + PushC(1) + "0" + ByteItem(6, true) + "0" + Addr(41) + Tok(0)},
      {"ForWithStep", "FOR B0 = 10 TO 0 STEP 2\nNEXT\n", 2, "2.5",
       start14 + PushC(10) + "1" + ByteItem(6, true) + Tok(26) + PushC(0) + PushC(10) + Tok(14) + ByteItem(6) +
           PushC(2) + "0" + ByteItem(6, true) + "0" + Addr(44) + Tok(0)},
      {"BranchList", "BRANCH B0, [a, b]\na:\nb:\n", 2, "2.5",
       start14 + "1" + ByteItem(6) + Tok(15) + Addr(63) + "1" + Addr(63) + "0" + Tok(0)},
      {"CommaContinuesTheLine", "DEBUG 1,\n2\n", 2, "2.5",
       start14 + PushC(84) + PushC(16) + Tok(32) + Const(1) + "0" + "1" + Const(2) + "00" + Tok(0)},
      {"SpaceInsideComparison", "IF B0 < = 1 THEN done\ndone:\n", 2, "2.5",
       start14 + "1" + ByteItem(6) + "1" + Const(1) + Op(27) + Tok(13) + Addr(62) + Tok(0)},
      {"NotBeforeComparison", "IF NOT B0 = 1 THEN done\ndone:\n", 2, "2.5",
       start14 + "1" + ByteItem(6) + "1" + Const(1) + Op(28) + Op(2) + Tok(13) + Addr(69) + Tok(0)},
      {"AndBetweenComparisons", "IF B0 = 1 AND B1 < 2 THEN done\ndone:\n", 2, "2.5",
       start14 + "1" + ByteItem(6) + "1" + Const(1) + Op(28) + "1" + ByteItem(7) + "1" + Const(2) + Op(31) + Op(10) +
           Tok(13) + Addr(96) + Tok(0)},
      {"LeftToRight", "B0 = 2 + 3 * 4\n", 2, "2.5",
       start14 + PushC(2) + "1" + Const(3) + Op(15) + "1" + Const(4) + Op(18) + "1" + ByteItem(6, true) + Tok(26) + Tok(0)},
      {"Parentheses", "B0 = 2 + (3 * 4)\n", 2, "2.5",
       start14 + PushC(2) + "1" + Const(3) + "1" + Const(4) + Op(18) + Op(15) + "1" + ByteItem(6, true) + Tok(26) +
           Tok(0)},
      {"Negation", "B0 = -5\n", 2, "2.5", start14 + PushC(5) + Op(3) + "1" + ByteItem(6, true) + Tok(26) + Tok(0)},
      {"IndexedRead", "B0 = B1(2)\n", 2, "2.5",
       start14 + PushC(2) + "1" + Var(2, 7, false, true) + "1" + ByteItem(6, true) + Tok(26) + Tok(0)},
      {"MainioAuxioOnVd2PE", "MAINIO\nAUXIO\n", 6, "2.5", start14 + Tok(29) + Tok(30) + Tok(0)},
      {"HexConstant", "B0 = $FF\n", 2, "2.0", start14 + PushC(255) + "1" + ByteItem(6, true) + Tok(26) + Tok(0)},
      {"QuotedCharacters", "DEBUG \"AB\"\n", 2, "2.5",
       start14 + PushC(84) + PushC(16) + Tok(32) + Const(65) + "0" + "1" + Const(66) + "00" + Tok(0)},
      {"NameTextOfExpression", "DEBUG ? B0 + 1\n", 2, "2.5",
       start14 + PushC(84) + PushC(16) + Tok(32) + CharItem('B') + CharItem('0') + CharItem(' ') + CharItem('+') +
           CharItem(' ') + CharItem('1') + CharItem(' ') + CharItem('=') + CharItem(' ') + Const(438) + "1" +
           ByteItem(6) + "1" + Const(1) + Op(15) + "0" + PushC(13) + "0" + "0" + Tok(0)},
      {"Lookup", "LOOKUP B0, [5, 6], B1\n", 2, "2.5",
       start14 + "1" + ByteItem(6) + Tok(16) + Const(5) + "0" + "1" + Const(6) + "0" + "0" + ByteItem(7, true) + "0" +
           Tok(0)},
      {"RandomWord", "RANDOM W1\n", 2, "2.5", start14 + "1" + Var(3, 4) + Tok(18) + Var(3, 4, true) + "0" + Tok(0)},
      {"NapWithNextField", "NAP 3\n", 2, "2.5", start14 + PushC(3) + Tok(2) + Addr(44) + Tok(0)},
      {"FreqoutOneTone", "FREQOUT 1, 100, 2000\n", 2, "2.5",
       start14 + PushC(1) + PushC(100) + PushC(2000) + Tok(22) + Tok(0)},
      {"Pwm", "PWM 1, 128, 10\n", 2, "2.5", start14 + PushC(128) + PushC(10) + PushC(1) + Tok(43) + Tok(0)},
      {"Shiftout", "SHIFTOUT 0, 1, 1, [B0\\4, 5]\n", 2, "2.5",
       start14 + PushC(1) + PushC(0) + PushC(1) + Tok(40) + Const(4) + "1" + ByteItem(6) + "0" + "1" + Const(8) +
           PushC(5) + "0" + "0" + Tok(0)},
      {"WriteWord", "WRITE 10, WORD W1\n", 2, "2.5",
       start14 + "1" + Var(3, 4) + PushC(10) + Tok(20) + Addr(57) + "1" + Var(3, 4) + "1" + Const(8) + Op(24) + "1" +
           Const(10) + "1" + Const(1) + Op(15) + Tok(20) + Addr(130) + Tok(0)},
      {"ReadWord", "READ 10, WORD W1\n", 2, "2.5",
       start14 + PushC(10) + Tok(19) + Addr(46) + Var(3, 4, true) + "0" + "1" + Const(10) + "1" + Const(1) + Op(15) +
           Tok(19) + Addr(104) + Var(2, 9, true) + "0" + Tok(0)},
      {"DtmfoutWithTimes", "DTMFOUT 3, 100, 50, [1]\n", 2, "2.5",
       start14 + PushC(3) + PushC(50) + PushC(100) + Tok(24) + Const(1) + "0" + "0" + Tok(0)},
      {"XoutDefaultCycles", "XOUT 1, 2, [3\\4]\n", 2, "2.5",
       start14 + PushC(1) + PushC(2) + Tok(25) + Const(3) + PushC(16) + Op(20) + PushC(4) + PushC(16) + Op(18) + Op(15) +
           PushC(2) + Op(2) + "0" + "0" + Tok(0)},
      {"ButtonWorkspaceTwice", "BUTTON 0, 1, 255, 20, B2, 0, lbl\nlbl:\n", 2, "2.5",
       start14 + PushC(1) + PushC(255) + PushC(20) + PushC(0) + "1" + ByteItem(8) + PushC(0) + Tok(42) +
           ByteItem(8, true) + "0" + Addr(110) + Tok(0)},
      {"I2coutWithLowAddress", "I2COUT 0, 160, 5 \\ 6, [B0]\n", 5, "2.5",
       start14 + PushC(6) + PushC(5) + PushC(160) + PushC(0) + Tok(49) + ByteItem(6) + "0" + "0" + Tok(0)},
      {"SerinWithParityLabel", "SERIN 1, 84, pl, [B0]\npl:\n", 2, "2.5",
       start14 + "11011101" + Addr(95) + PushC(0) + PushC(1) + PushC(84) + PushC(1) + Tok(34) + "0" + ByteItem(6, true) +
           "00" + Tok(0)},
      {"CaseComparisonAndElse", "SELECT B0\nCASE < 5\nHIGH 1\nCASE ELSE\nHIGH 2\nENDSELECT\n", 2, "2.5",
       start14 + "1" + ByteItem(6) + "1" + Const(5) + Op(31) + Tok(13) + Addr(85) + Tok(9) + Addr(121) + PushC(1) +
           Tok(5) + Tok(9) + Addr(136) + PushC(2) + Tok(5) + Tok(0)},
      {"ConditionalSelectOnModule", "#SELECT $VARDA\n#CASE 2\nHIGH 1\n#CASE #ELSE\nHIGH 2\n#ENDSELECT\n", 2, "2.5",
       start14 + PushC(1) + Tok(5) + Tok(0)},
      {"ConditionalSelectDefault", "#SELECT $VARDA\n#CASE 2\nHIGH 1\n#CASE #ELSE\nHIGH 2\n#ENDSELECT\n", 3, "2.5",
       start14 + PushC(2) + Tok(5) + Tok(0)},
      {"ConditionalIfElse", "#DEFINE X = 2\n#IF X = 2 AND $TESSIC = 250 #THEN\nHIGH 3\n#ELSE\nHIGH 4\n#ENDIF\n", 2, "2.5",
       start14 + PushC(3) + Tok(5) + Tok(0)},
      {"ConditionalCaseRange", "#SELECT 7\n#CASE 1, 5 TO 9\nHIGH 3\n#CASE #ELSE\nHIGH 4\n#ENDSELECT\n", 2, "2.5",
       start14 + PushC(3) + Tok(5) + Tok(0)},
      {"OutputItemForms", "x VAR BYTE(3)\nDEBUG STR x\\3, REP \"a\"\\4, DEC2 x, SDEC ? x, ASC ? x\n", 2, "2.5",
       start14 + PushC(84) + PushC(16) + Tok(32) + Const(6) + PushC(3) + "0" + "1" + Const(97) + PushC(1024) + PushC(4) +
           "0" + "1" + Const(998) + "1" + ByteItem(6) + "0" + "1" + CharItem('x') + CharItem(' ') + CharItem('=') +
           CharItem(' ') + Const(1462) + "1" + ByteItem(6) + "0" + PushC(13) + "0" + "1" + CharItem('x') +
           CharItem(' ') + CharItem('=') + CharItem(' ') + CharItem('"') + ByteItem(6) + "0" + PushC(34) + "0" +
           PushC(13) + "0" + "0" + Tok(0)},
      {"InputItemForms", "x VAR BYTE(3)\nDEBUGIN STR x\\3\\13, WAITSTR x, SKIP 2, NUM x\n", 2, "2.5",
       start14 + PushC(1) + PushC(84) + PushC(16) + Tok(34) + "1" + Const(13) + "1" + Const(518) + PushC(3) + "0" + "1" +
           PushC(2054) + PushC(32) + "0" + "1" + PushC(1024) + PushC(2) + "0" + "1" + PushC(4358) + PushC(0) + "0" +
           ByteItem(6, true) + "0" + "0" + Tok(0)},
  };
}

class ReviewObjectCode : public ::testing::TestWithParam<BitsCase> {};

TEST_P(ReviewObjectCode, BitsMatchTheEncoding) {
  const BitsCase& c = GetParam();
  const std::string source = Program(c.Body, c.Module, c.Version);
  const Result r = Compile(source);
  ASSERT_TRUE(r.Ok) << r.Error << " at '" << r.ErrorText(source) << "'";
  EXPECT_EQ(CodeBits(*r.T), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(Programs, ReviewObjectCode, ::testing::ValuesIn(Cases()),
                         [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
