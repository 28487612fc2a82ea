// Object code of single statements, spelled out from the encoding rules: each row names the
// program and the bits expected from the first statement on (return table excluded), END
// included.

#include <gtest/gtest.h>

#include "CompileSupport.h"

using namespace vd2test;

namespace {

constexpr int B1 = 7, B2 = 8, B3 = 9;  // byte cells of B1..B3
constexpr int Start = 14;              // first statement of a program without GOSUB

std::string Push(const std::string& item) {
  return "1" + item;
}
std::string ReadB(int cell) {
  return Var(2, cell);
}
std::string Chars(const std::string& text) {
  std::string out;
  for (unsigned char c : text) out += Const(c) + "01";
  return out;
}
// `location + k` of READ/WRITE: location, constant k, '+'.
std::string PlusK(const std::string& location, int k) {
  return k == 0 ? location : location + PushC(k) + Op(15);
}

struct LayoutCase {
  const char* Name;
  const char* Body;
  int Module;
  std::string Expected;
};

// Next field of a READ: an address field pointing just behind itself, at bit position `at`.
std::string NextAt(int at) {
  return Addr(at + 14);
}

std::vector<LayoutCase> Cases() {
  std::vector<LayoutCase> cases;
  const std::string end = Tok(0);
  cases.push_back(
      {"LET on VD2 is 26", "B1 = 5\n", 2, Push(Const(5)) + Push(Var(2, B1, true)) + Tok(26) + end});
  cases.push_back(
      {"LET on VD2E is 29", "B1 = 5\n", 3, Push(Const(5)) + Push(Var(2, B1, true)) + Tok(29) + end});
  cases.push_back(
      {"LET on VD2P is 31", "B1 = 5\n", 5, Push(Const(5)) + Push(Var(2, B1, true)) + Tok(31) + end});
  cases.push_back({"GET on VD2E is 26", "GET 1, B1\n", 3, Push(Const(1)) + Tok(26) + Store(2, B1) + end});
  cases.push_back({"GET on VD2P is 26", "GET 1, B1\n", 5, Push(Const(1)) + Tok(26) + Store(2, B1) + end});
  cases.push_back({"PUT on VD2SX is 27", "PUT 1, 2\n", 4, Push(Const(1)) + Push(Const(2)) + Tok(27) + end});
  cases.push_back({"RUN on VD2PE is 28", "RUN 1\n", 6, Push(Const(1)) + Tok(28) + end});
  cases.push_back({"MAINIO on VD2P is 29", "MAINIO\n", 5, Tok(29) + end});
  cases.push_back({"AUXIO on VD2PE is 30", "AUXIO\n", 6, Tok(30) + end});
  cases.push_back({"DEBUG on VD2 pushes 84", "DEBUG 65\n", 2,
                   PushC(84) + PushC(16) + Tok(32) + Const(65) + "0" + "0" + end});
  cases.push_back({"DEBUG on VD2SX pushes 240", "DEBUG 65\n", 4,
                   PushC(240) + PushC(16) + Tok(32) + Const(65) + "00" + end});
  cases.push_back({"DEBUG on VD2P pushes 240", "DEBUG 65\n", 5,
                   PushC(240) + PushC(16) + Tok(32) + Const(65) + "00" + end});
  cases.push_back({"DEBUG on VD2PE pushes 84", "DEBUG 65\n", 6,
                   PushC(84) + PushC(16) + Tok(32) + Const(65) + "00" + end});
  cases.push_back({"DTMFOUT without times", "DTMFOUT 3, [1]\n", 2,
                   PushC(3) + PushC(50) + PushC(200) + Tok(24) + Const(1) + "0" + "0" + end});
  cases.push_back({"DTMFOUT with times", "DTMFOUT 3, 7, 9, [1, 2]\n", 2,
                   PushC(3) + PushC(9) + PushC(7) + Tok(24) + Const(1) + "0" + "1" + Const(2) + "00" + end});
  cases.push_back({"HIGH of a pin name is its number", "p PIN 3\nHIGH p\n", 2, PushC(3) + Tok(5) + end});
  cases.push_back({"LET of a pin name writes its output bit", "p PIN 3\np = 1\n", 2,
                   PushC(1) + Push(Var(0, 19, true)) + Tok(26) + end});
  cases.push_back({"a pin name in an expression reads its input bit", "p PIN 3\nB1 = p\n", 2,
                   Push(Var(0, 3)) + Push(Var(2, B1, true)) + Tok(26) + end});
  {
    std::string s = PushC(10) + Tok(19);
    s += NextAt(Start + s.size()) + Store(2, B1);
    s += Push(PlusK(Const(10), 1)) + Tok(19);
    s += NextAt(Start + s.size()) + Store(2, B2);
    s += Push(PlusK(Const(10), 2)) + Tok(19);
    s += NextAt(Start + s.size()) + Store(2, B3);
    cases.push_back({"READ with three byte targets", "READ 10, B1, B2, B3\n", 2, s + end});
  }
  {
    std::string s = PushC(0) + Tok(19);
    s += NextAt(Start + s.size()) + Store(3, 4);
    s += Push(PlusK(Const(0), 1)) + Tok(19);
    s += NextAt(Start + s.size()) + Store(2, 9);
    cases.push_back({"READ of a WORD reads its high byte second", "READ 0, WORD W1\n", 2, s + end});
  }
  {
    // W1(B2): index B2, then word item; the high byte: index, 2, *, byte item at 2*4+1.
    std::string s = PushC(0) + Tok(19);
    s += NextAt(Start + s.size()) + ReadB(B2) + "1" + Var(3, 4, true, true) + "0";
    s += Push(PlusK(Const(0), 1)) + Tok(19);
    s += NextAt(Start + s.size()) + ReadB(B2) + PushC(2) + Op(18) + "1" + Var(2, 9, true, true) + "0";
    cases.push_back({"READ of an indexed WORD doubles the index", "READ 0, WORD W1(B2)\n", 2, s + end});
  }
  {
    std::string s = Push(Var(3, 4)) + PushC(0) + Tok(20);
    s += NextAt(Start + s.size());
    s += Push(Var(3, 4) + PushC(8) + Op(24)) + Push(PlusK(Const(0), 1)) + Tok(20);
    s += NextAt(Start + s.size());
    cases.push_back({"WRITE of a WORD writes value >> 8 second", "WRITE 0, WORD W1\n", 2, s + end});
  }
  cases.push_back({"PUT of two values", "PUT 4, 1, 2\n", 3,
                   PushC(4) + PushC(1) + Tok(27) + Push(PlusK(Const(4), 1)) + PushC(2) + Tok(27) + end});
  const std::string list = "0" + Store(2, B1) + "0";
  cases.push_back({"I2CIN without an address pushes the slave, then 0", "I2CIN 0, 160, [B1]\n", 5,
                   PushC(160) + PushC(0) + PushC(0) + Tok(48) + list + end});
  cases.push_back({"I2CIN with an address pushes it before the slave", "I2CIN 0, 160, 5, [B1]\n", 5,
                   PushC(5) + PushC(160) + PushC(0) + Tok(48) + list + end});
  cases.push_back({"I2CIN with a low address", "I2CIN 0, 160, 5\\6, [B1]\n", 5,
                   PushC(6) + PushC(5) + PushC(160) + PushC(0) + Tok(47) + list + end});
  cases.push_back({"I2COUT with a low address", "I2COUT 0, 160, 5\\6, [B1]\n", 5,
                   PushC(6) + PushC(5) + PushC(160) + PushC(0) + Tok(49) + ReadB(B1) + "00" + end});
  cases.push_back(
      {"LOOKDOWN with >= writes 010", "LOOKDOWN 5, >= [1, 2], B1\n", 2,
       PushC(5) + Tok(17) + "010" + Const(1) + "0" + "1" + Const(2) + "0" + "0" + Store(2, B1) + end});
  cases.push_back({"LOOKDOWN without a comparison writes = (100)", "LOOKDOWN 5, [1], B1\n", 2,
                   PushC(5) + Tok(17) + "100" + Const(1) + "00" + Store(2, B1) + end});
  cases.push_back({"LOOKUP", "LOOKUP B2, [7, 8], B1\n", 2,
                   Push(ReadB(B2)) + Tok(16) + Const(7) + "01" + Const(8) + "00" + Store(2, B1) + end});
  {
    const std::string head =
        PushC(1) + PushC(255) + PushC(10) + PushC(1) + Push(ReadB(B1)) + PushC(0) + Tok(42) + Store(2, B1);
    const int label = Start + static_cast<int>(head.size()) + 14;
    cases.push_back({"BUTTON writes its workspace twice", "BUTTON 0, 1, 255, 10, B1, 1, lbl\nlbl:\n", 2,
                     head + Addr(label) + end});
  }
  cases.push_back({"RANDOM reads and stores its variable", "RANDOM W1\n", 2,
                   Push(Var(3, 4)) + Tok(18) + Store(3, 4) + end});
  cases.push_back(
      {"FREQOUT with one tone", "FREQOUT 1, 2, 3\n", 2, PushC(1) + PushC(2) + PushC(3) + Tok(22) + end});
  cases.push_back({"FREQOUT with two tones", "FREQOUT 1, 2, 3, 4\n", 2,
                   PushC(1) + PushC(2) + PushC(3) + PushC(4) + Tok(23) + end});
  cases.push_back({"PWM", "PWM 1, 2, 3\n", 2, PushC(2) + PushC(3) + PushC(1) + Tok(43) + end});
  cases.push_back({"PULSIN stores after its code", "PULSIN 1, 0, W1\n", 2,
                   PushC(0) + PushC(1) + Tok(37) + Store(3, 4) + end});
  cases.push_back({"PULSOUT", "PULSOUT 1, 500\n", 2, PushC(500) + PushC(1) + Tok(36) + end});
  {
    std::string s = PushC(1) + Tok(2);
    s += NextAt(Start + s.size());
    cases.push_back({"NAP writes a next field", "NAP 1\n", 2, s + end});
  }
  cases.push_back({"SHIFTOUT with and without bit counts", "SHIFTOUT 1, 2, 0, [B1\\4, 3]\n", 2,
                   PushC(0) + PushC(1) + PushC(2) + Tok(40) + Const(4) + Push(ReadB(B1)) + "0" + "1" +
                       Const(8) + PushC(3) + "0" + "0" + end});
  cases.push_back({"SHIFTIN", "SHIFTIN 1, 2, 0, [B1]\n", 2,
                   PushC(0) + PushC(1) + PushC(2) + Tok(39) + Const(8) + PushC(0) + "0" + Var(2, B1, true) +
                       "0" + "0" + end});
  cases.push_back({"XOUT with the default cycle count", "XOUT 1, 2, [3\\4]\n", 2,
                   PushC(1) + PushC(2) + Tok(25) + Const(3) + PushC(16) + Op(20) + PushC(4) + PushC(16) +
                       Op(18) + Op(15) + PushC(2) + Op(2) + "0" + "0" + end});
  cases.push_back({"SEROUT with pace", "SEROUT 1, 84, 5, [65]\n", 2,
                   PushC(5) + PushC(84) + PushC(1) + Tok(32) + Const(65) + "00" + end});
  cases.push_back({"SEROUT with flow pin", "SEROUT 1\\2, 84, [65]\n", 2,
                   PushC(84) + PushC(1) + PushC(2) + Tok(33) + Const(65) + "00" + end});
  cases.push_back({"SERIN without labels pushes 1", "SERIN 1, 84, [B1]\n", 2,
                   PushC(1) + PushC(84) + PushC(1) + Tok(34) + list + end});
  // A label as a pushed constant: a 1 bit, token 46, payload bit 1, then the address field.
  const std::string labelConst = "11011101" + Addr(Start);
  cases.push_back({"SERIN with a parity label only", "lbl:\nSERIN 1, 84, lbl, [B1]\n", 2,
                   labelConst + PushC(0) + PushC(1) + PushC(84) + PushC(1) + Tok(34) + list + end});
  cases.push_back({"SERIN with a timeout", "lbl:\nSERIN 1, 84, 100, lbl, [B1]\n", 2,
                   labelConst + PushC(100) + PushC(84) + PushC(1) + Tok(34) + list + end});
  cases.push_back(
      {"SERIN with both labels and a flow pin", "lbl:\nSERIN 1\\2, 84, lbl, 100, lbl, [B1]\n", 2,
       labelConst + labelConst + PushC(100) + PushC(84) + PushC(1) + PushC(2) + Tok(35) + list + end});
  cases.push_back(
      {"SEROUT with flow pin and timeout", "lbl:\nSEROUT 1\\2, 84, 100, lbl, [65]\n", 2,
       labelConst + PushC(100) + PushC(84) + PushC(1) + PushC(2) + Tok(33) + Const(65) + "00" + end});
  cases.push_back(
      {"LCDOUT", "LCDOUT 1, 128, [65]\n", 5, PushC(128) + PushC(1) + Tok(45) + Const(65) + "00" + end});
  cases.push_back({"OWIN", "OWIN 1, 2, [B1]\n", 6, PushC(2) + PushC(1) + Tok(57) + list + end});
  cases.push_back({"POLLIN", "POLLIN 1, 0\n", 5, PushC(0) + PushC(1) + Tok(53) + end});
  cases.push_back({"BRANCH", "lbl:\nBRANCH B1, [lbl, lbl]\n", 2,
                   Push(ReadB(B1)) + Tok(15) + Addr(Start) + "1" + Addr(Start) + "0" + end});
  // Item lists.
  const std::string debug = PushC(84) + PushC(16) + Tok(32);
  cases.push_back(
      {"? x names the value", "DEBUG ? B1\n", 2,
       debug + Chars("B1 = ") + Const(438) + Push(ReadB(B1)) + "0" + PushC(13) + "0" + "0" + end});
  cases.push_back(
      {"HEX ? x uses the indicated form", "DEBUG HEX ? B1\n", 2,
       debug + Chars("B1 = ") + Const(2496) + Push(ReadB(B1)) + "0" + PushC(13) + "0" + "0" + end});
  cases.push_back(
      {"DEC ? x keeps 438", "DEBUG DEC ? B1\n", 2,
       debug + Chars("B1 = ") + Const(438) + Push(ReadB(B1)) + "0" + PushC(13) + "0" + "0" + end});
  cases.push_back(
      {"ASC ? x quotes the character", "DEBUG ASC ? B1\n", 2,
       debug + Chars("B1 = \"") + ReadB(B1) + "0" + PushC(34) + "0" + PushC(13) + "0" + "0" + end});
  // SDEC4: 256 + 6 + 16 * (16 - 4) + 512 (fixed) + 1024 (signed).
  cases.push_back({"SDEC4 x", "DEBUG SDEC4 B1\n", 2,
                   debug + Const(256 + 6 + 16 * 12 + 512 + 1024) + Push(ReadB(B1)) + "00" + end});
  cases.push_back(
      {"REP c \\ n", "DEBUG REP 42\\3\n", 2, debug + Const(42) + PushC(1024) + PushC(3) + "0" + "0" + end});
  cases.push_back(
      {"STR bytevar", "DEBUG STR B1\n", 2, debug + Const(B1 + 512) + PushC(32) + "0" + "0" + end});
  cases.push_back(
      {"STR bytevar \\ n", "DEBUG STR B1\\4\n", 2, debug + Const(B1) + PushC(4) + "0" + "0" + end});
  const std::string debugin = PushC(1) + PushC(84) + PushC(16) + Tok(34);
  cases.push_back({"an input list with a variable starts with 0", "DEBUGIN B1\n", 2,
                   debugin + "0" + Store(2, B1) + "0" + end});
  cases.push_back({"an input list with DEC starts with 1", "DEBUGIN DEC B1\n", 2,
                   debugin + PushC(438) + PushC(0) + "0" + Store(2, B1) + "0" + end});
  cases.push_back(
      {"SNUM", "DEBUGIN SNUM B1\n", 2, debugin + PushC(5382) + PushC(0) + "0" + Store(2, B1) + "0" + end});
  cases.push_back(
      {"WAIT writes the last value first", "DEBUGIN WAIT (\"OK\")\n", 2,
       debugin + "1" + Const(75) + "1" + Const(79) + "1" + Const(3140) + PushC(2) + "0" + "0" + end});
  cases.push_back({"SKIP and SPSTR", "DEBUGIN SKIP 2, SPSTR 3\n", 6,
                   debugin + PushC(1024) + PushC(2) + "0" + "1" + PushC(4096) + PushC(3) + "0" + "0" + end});
  cases.push_back({"STR with count and end character", "DEBUGIN STR B1\\4\\13\n", 2,
                   debugin + "1" + Const(13) + "1" + Const(B1 + 512) + PushC(4) + "0" + "0" + end});
  cases.push_back(
      {"WAITSTR with and without a count", "DEBUGIN WAITSTR B1, WAITSTR B2\\3\n", 2,
       debugin + PushC(B1 + 2048) + PushC(32) + "0" + "1" + PushC(B2 + 2560) + PushC(3) + "0" + "0" + end});
  return cases;
}

TEST(InstructionLayout, BitsFromTheEncodingRules) {
  for (const LayoutCase& c : Cases()) {
    SCOPED_TRACE(c.Name);
    const Result r = Compile(Program(c.Body, c.Module));
    ASSERT_TRUE(r.Ok) << r.Error;
    EXPECT_EQ(CodeBits(*r.T, Start), c.Expected);
  }
}

}  // namespace
