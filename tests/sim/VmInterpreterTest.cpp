// The interpreter runs small programs: one per operator and per instruction, checked through
// RAM, pins, EEPROM, time and what DEBUG sends to the PC.

#include <gtest/gtest.h>

#include "VmTestSupport.h"

using namespace sim::vm;
using vmtest::RunBody;

namespace {

TEST(VmInterpreter, OperatorsOnUnsigned16BitValues) {
  struct Case {
    const char* expression;
    uint16_t expected;
  } cases[] = {
      {"2 + 3 * 4", 20},        {"SQR 100", 10},          {"SQR 65535", 255},       {"ABS -5", 5},
      {"ABS 5", 5},             {"~0", 65535},            {"-1", 65535},            {"DCD 17", 2},
      {"NCD 0", 0},             {"NCD 256", 9},           {"NCD 65535", 16},        {"SIN 64", 127},
      {"COS 0", 127},           {"SIN 192", 65409},       {"COS 128", 65409},       {"SIN 0", 0},
      {"3 HYP 4", 5},           {"-3 HYP 4", 5},          {"1 ATN 1", 32},          {"0 ATN 1", 64},
      {"-1 ATN 0", 128},        {"0 ATN -1", 192},        {"12 & 10", 8},           {"12 | 10", 14},
      {"12 ^ 10", 6},           {"5 MIN 9", 9},           {"5 MAX 9", 5},           {"65535 + 2", 1},
      {"1 - 2", 65535},         {"300 */ 512", 600},      {"1000 * 1000", 16960},   {"1000 ** 1000", 15},
      {"7 // 0", 7},            {"7 / 0", 65535},         {"7 // 3", 1},            {"65535 / 2", 32767},
      {"12345 DIG 0", 5},       {"12345 DIG 3", 2},       {"12345 DIG 9", 0},       {"1 << 15", 32768},
      {"1 << 16", 0},           {"32768 >> 15", 1},       {"32768 >> 16", 0},       {"%1011 REV 4", 13},
      {"%110 REV 2", 1},        {"$1234 REV 16", 0x2C48}, {"-5 / 2", 32765},
  };
  for (const Case& c : cases) {
    const auto r = RunBody(std::string("x VAR WORD\nx = ") + c.expression);
    ASSERT_EQ(r.error, "") << c.expression;
    EXPECT_EQ(r.machine->Word(3), c.expected) << c.expression;
  }
}

TEST(VmInterpreter, ConditionsJumpWhenTrue) {
  struct Case {
    const char* condition;
    bool taken;
  } cases[] = {
      {"3 >= 3", true},  {"2 >= 3", false},       {"3 <= 2", false},          {"2 <= 3", true},
      {"4 = 4", true},   {"4 <> 4", false},       {"5 > 4", true},            {"4 > 4", false},
      {"4 < 5", true},   {"-1 < 0", false},       {"1 = 1 AND 2 = 3", false}, {"1 = 1 OR 2 = 3", true},
      {"1 = 1 XOR 2 = 2", false}, {"NOT 1 = 2", true}, {"x", false},         {"x + 1", true},
  };
  for (const Case& c : cases) {
    const auto r = RunBody(std::string("x VAR WORD\ny VAR WORD\nIF ") + c.condition + " THEN yes\nEND\nyes:\ny = 1");
    ASSERT_EQ(r.error, "") << c.condition;
    EXPECT_EQ(r.machine->Word(4), c.taken ? 1 : 0) << c.condition;
  }
}

TEST(VmInterpreter, DebugFormatsNumbersAsTheFormattersName) {
  struct Case {
    const char* items;
    const char* output;
  } cases[] = {
      {"DEC 1234", "1234"},        {"DEC 0", "0"},            {"DEC2 1234", "34"},        {"DEC5 42", "00042"},
      {"SDEC -5", "-5"},           {"SDEC 5", "5"},           {"SDEC3 -5", "-005"},       {"HEX 255", "FF"},
      {"IHEX 255", "$FF"},         {"HEX4 255", "00FF"},      {"IHEX1 $1F", "$F"},        {"ISHEX -1", "-$1"},
      {"BIN 5", "101"},            {"IBIN4 5", "%0101"},      {"SBIN -2", "-10"},         {"ISBIN16 -1", "-%0000000000000001"},
      {"DEC 65535", "65535"},      {"SDEC 32768", "-32768"},  {"\"AB\", 13", "AB\r"},     {"REP \"*\"\\3", "***"},
      {"x", "\x05"},               {"? x", "x = 5\r"},        {"HEX ? x", "x = $5\r"},    {"DEC ? x + 1", "x + 1 = 6\r"},
      {"BIN ? x", "x = %101\r"},   {"SDEC ? -x", "-x = -5\r"},
  };
  for (const Case& c : cases) {
    const auto r = RunBody(std::string("x VAR BYTE\nx = 5\nDEBUG ") + c.items);
    ASSERT_EQ(r.error, "") << c.items;
    EXPECT_EQ(r.io->sent, c.output) << c.items;
  }
}

TEST(VmInterpreter, DebugStringsFromRam) {
  const auto r = RunBody(
      "s VAR BYTE(4)\ns(0) = \"H\"\ns(1) = \"i\"\ns(2) = 0\ns(3) = \"!\"\n"
      "DEBUG STR s\\4, \"|\", STR s, \"|\", ASC ? s(0)");
  ASSERT_EQ(r.error, "");
  EXPECT_EQ(r.io->sent, std::string("Hi\0!|Hi|s(0) = \"H\"\r", 19));
}

// The program's DEBUG output for statements that end in DEBUG lines.
struct ProgramCase {
  const char* name;
  const char* body;
  const char* output;
};

TEST(VmInterpreter, InstructionsReportThroughDebug) {
  const ProgramCase cases[] = {
      {"pins", "HIGH 3\nLOW 4\nTOGGLE 5\nTOGGLE 5\nTOGGLE 6\nINPUT 7\nOUTPUT 8\nREVERSE 9\nREVERSE 4\n"
               "DEBUG BIN16 OUTS, \",\", BIN16 DIRS",
       "0000000001001000,0000001101101000"},
      {"pin name reads its input bit", "Sw PIN 5\nLOW 6\nDEBUG DEC Sw, DEC IN5, DEC IN6", "110"},
      {"for up", "b VAR BYTE\nFOR b = 250 TO 255 STEP 3\nDEBUG DEC b, \" \"\nNEXT\nDEBUG DEC b", "250 253 253"},
      {"for down stops at 0", "w VAR WORD\nFOR w = 2 TO 0\nDEBUG DEC w\nNEXT", "210"},
      {"for up stops at 65535", "w VAR WORD\nFOR w = 65533 TO 65535 STEP 2\nDEBUG DEC w, \" \"\nNEXT", "65533 65535 "},
      {"branch", "BRANCH 1, [a, b]\nDEBUG \"none\"\nEND\na:\nDEBUG \"a\"\nEND\nb:\nDEBUG \"b\"", "b"},
      {"branch out of range", "BRANCH 5, [a]\nDEBUG \"none\"\nEND\na:\nDEBUG \"a\"", "none"},
      {"on gosub", "ON 1 GOSUB a, b\nDEBUG \"back\"\nEND\na:\nDEBUG \"a\"\nRETURN\nb:\nDEBUG \"b\"\nRETURN", "bback"},
      {"lookup", "x VAR BYTE\nx = 9\nLOOKUP 2, [10, 20, 30], x\nDEBUG DEC x, \",\"\nLOOKUP 5, [1, 2], x\nDEBUG DEC x",
       "30,30"},
      {"lookdown", "x VAR BYTE\nLOOKDOWN 20, [10, 20, 30], x\nDEBUG DEC x, \",\"\n"
                   "LOOKDOWN 25, >= [40, 30, 20, 10], x\nDEBUG DEC x, \",\"\nLOOKDOWN 99, [1], x\nDEBUG DEC x",
       "1,2,2"},
      {"random", "x VAR WORD\nRANDOM x\nDEBUG DEC x, \",\"\nRANDOM x\nDEBUG DEC x", "13849,48742"},
      {"read and write", "DATA @10, 7, 8\nx VAR BYTE\ny VAR BYTE\nREAD 10, x, y\nWRITE 11, 99\nREAD 11, y\n"
                         "DEBUG DEC x, \",\", DEC y",
       "7,99"},
      {"read word", "DATA @20, WORD 1000\nw VAR WORD\nREAD 20, WORD w\nDEBUG DEC w", "1000"},
      {"nested gosub", "GOSUB a\nDEBUG \"3\"\nEND\na:\nDEBUG \"1\"\nGOSUB b\nRETURN\nb:\nDEBUG \"2\"\nRETURN", "123"},
      {"return without gosub ends", "DEBUG \"1\"\nRETURN\nDEBUG \"2\"", "1"},
      {"stop", "DEBUG \"1\"\nSTOP\nDEBUG \"2\"", "1"},
      {"select", "x VAR BYTE\nx = 4\nSELECT x\nCASE 1\nDEBUG \"one\"\nCASE 3 TO 5\nDEBUG \"mid\"\nCASE ELSE\n"
                 "DEBUG \"else\"\nENDSELECT",
       "mid"},
      {"do loop", "x VAR BYTE\nDO WHILE x < 3\nx = x + 1\nDEBUG DEC x\nLOOP", "123"},
      {"arrays and modifiers", "w VAR WORD\nb VAR BYTE(3)\nw = $1234\nb(2) = w.HIGHBYTE\nb(1) = w.NIB0\n"
                               "DEBUG HEX b(2), \",\", HEX b(1), \",\", DEC w.BIT2",
       "12,4,1"},
      {"button fires once", "ws VAR BYTE\nBUTTON 0, 0, 255, 10, ws, 1, hit\nDEBUG \"no\"\nEND\nhit:\nDEBUG \"hit\"",
       "no"},
  };
  for (const ProgramCase& c : cases) {
    const auto r = RunBody(c.body);
    ASSERT_EQ(r.error, "") << c.name;
    EXPECT_EQ(r.io->sent, c.output) << c.name;
  }
}

TEST(VmInterpreter, SerialInputFromThePc) {
  const struct {
    const char* name;
    const char* body;
    const char* input;
    const char* output;
  } cases[] = {
      {"bytes", "a VAR BYTE\nb VAR BYTE\nSERIN 16, 84, [a, b]\nDEBUG DEC a, \",\", DEC b", "AB", "65,66"},
      {"decimal after junk", "w VAR WORD\nSERIN 16, 84, [DEC w]\nDEBUG DEC w", "xy 123\r", "123"},
      {"fixed digits", "w VAR WORD\nv VAR WORD\nSERIN 16, 84, [DEC2 w, DEC v]\nDEBUG DEC w, \",\", DEC v", "1234 ",
       "12,34"},
      {"signed", "w VAR WORD\nSERIN 16, 84, [SDEC w]\nDEBUG SDEC w", "-42,", "-42"},
      {"hex", "w VAR WORD\nSERIN 16, 84, [HEX w]\nDEBUG DEC w", "1f ", "31"},
      {"indicated hex", "w VAR WORD\nSERIN 16, 84, [IHEX w]\nDEBUG DEC w", "12$20 ", "32"},
      {"wait then byte", "a VAR BYTE\nSERIN 16, 84, [WAIT(\"OK\"), a]\nDEBUG a", "xOOKz", "z"},
      {"skip", "a VAR BYTE\nSERIN 16, 84, [SKIP 2, a]\nDEBUG a", "abc", "c"},
      {"str", "s VAR BYTE(3)\nSERIN 16, 84, [STR s\\3]\nDEBUG STR s\\3", "xyz", "xyz"},
      {"str with end byte", "s VAR BYTE(3)\nSERIN 16, 84, [STR s\\3\\\"!\"]\nDEBUG STR s\\3", "a!", "a\0\0"},
      {"timeout jumps", "a VAR BYTE\nSERIN 16, 84, 100, late, [a]\nDEBUG \"got\"\nEND\nlate:\nDEBUG \"late\"", "",
       "late"},
  };
  for (const auto& c : cases) {
    const auto r = RunBody(c.body, c.input);
    ASSERT_EQ(r.error, "") << c.name;
    EXPECT_EQ(r.io->sent, std::string(c.output, std::char_traits<char>::length(c.output) +
                                                    (std::string(c.name) == "str with end byte" ? 2 : 0)))
        << c.name;
  }
}

TEST(VmInterpreter, WaitingForInputThatNeverComesEndsTheRun) {
  const auto r = RunBody("a VAR BYTE\nSERIN 16, 84, [a]\nDEBUG \"never\"");
  ASSERT_EQ(r.error, "");
  EXPECT_EQ(r.machine->state(), RunState::WaitingForInput);
  EXPECT_EQ(r.io->sent, "");
}

TEST(VmInterpreter, ADeviceThatNeverAnswersLeavesTheStatementWaitingNotTheInterpreter) {
  // Without a device the bus reads zeros: a number or a WAIT for something else never comes.
  const char* items[] = {"[DEC w]", "[WAIT(\"OK\"), w]", "[SKIP 3, w]"};
  for (const char* item : items) {
    const auto c = vmtest::CompileSource(std::string("'{$VARDA VD2P}\n'{$TESSIC 2.5}\nw VAR WORD\nI2CIN 0, $A1, ") +
                                         item + "\nDEBUG \"after\"\n");
    ASSERT_TRUE(c.ok) << item << ": " << c.error;
    vmtest::ScriptIo io;
    Machine machine(c.image, io, c.module);
    machine.RunUntil(60'000'000);
    const bool skipEnds = std::string(item).starts_with("[SKIP");
    EXPECT_EQ(machine.state(), skipEnds ? RunState::Ended : RunState::WaitingForInput) << item;
    EXPECT_EQ(io.sent, skipEnds ? "after" : "") << item;
  }
}

TEST(VmInterpreter, WaitsTakeTheirTime) {
  const struct {
    const char* body;
    int64_t waitUs;
  } cases[] = {
      {"PAUSE 1000", 1'000'000}, {"NAP 2", 72'000},          {"SLEEP 2", 2'000'000},
      {"WRITE 5, 1", 3'500},     {"FREQOUT 2, 250, 1000", 250'000}, {"PULSOUT 12, 750", 1'500},
      {"DEBUG \"ab\"", 2 * 1'040},
  };
  for (const auto& c : cases) {
    const auto r = RunBody(c.body);
    ASSERT_EQ(r.error, "") << c.body;
    const int64_t overhead = r.machine->now() - c.waitUs;
    EXPECT_GE(overhead, 2 * kStatementUs) << c.body;  // the statement and the closing END
    EXPECT_LE(overhead, 2 * kStatementUs + 8 * kTokenUs) << c.body;
  }
}

TEST(VmInterpreter, PulsesAndTonesReachThePins) {
  const auto r = RunBody("PULSOUT 12, 750\nPULSOUT 13, 650\nFREQOUT 8, 1, 38500");
  ASSERT_EQ(r.error, "");
  ASSERT_EQ(r.io->pulses.size(), 2u);
  EXPECT_EQ(r.io->pulses[0].pin, 12);
  EXPECT_EQ(r.io->pulses[0].width, 1500);
  EXPECT_EQ(r.io->pulses[1].pin, 13);
  EXPECT_EQ(r.io->pulses[1].width, 1300);
  EXPECT_GT(r.io->pulses[1].at, r.io->pulses[0].at + 1500);
  ASSERT_EQ(r.io->tones.size(), 1u);
  EXPECT_EQ(r.io->tones[0].pin, 8);
  EXPECT_EQ(r.io->tones[0].f1, 38500);
  EXPECT_EQ(r.machine->Word(2), (1 << 12) | (1 << 13) | (1 << 8));  // all three became outputs
}

TEST(VmInterpreter, FifthNestedGosubForgetsTheOldestReturn) {
  const auto r = RunBody(
      "GOSUB a\nDEBUG \"0\"\nEND\na:\nGOSUB b\nDEBUG \"1\"\nRETURN\nb:\nGOSUB c\nDEBUG \"2\"\nRETURN\n"
      "c:\nGOSUB d\nDEBUG \"3\"\nRETURN\nd:\nGOSUB e\nDEBUG \"4\"\nRETURN\ne:\nRETURN");
  ASSERT_EQ(r.error, "");
  EXPECT_EQ(r.io->sent, "4321");  // the return to the first GOSUB is lost; RETURN then ends
}

TEST(VmInterpreter, BrokenCodeStopsWithAFault) {
  // Field 0 names bit 14; there: a 0 bit and code 62, which the VD2 does not have.
  vmtest::ScriptIo io;
  Encoder e;
  e.Address(14);
  e.Bits(7, 62);
  Image bad{};
  for (size_t p = 0; p < e.bits().size(); ++p)
    if (e.bits()[p]) bad[kImageSize - 1 - p / 8] |= static_cast<uint8_t>(0x80 >> (p % 8));
  Machine m(bad, io);
  EXPECT_EQ(m.RunUntil(1'000'000), RunState::Fault);
  EXPECT_NE(m.fault().find("unknown instruction code 62"), std::string::npos);
  Machine empty(Image{}, io);
  EXPECT_EQ(empty.state(), RunState::Ended);  // nothing to run
}

}  // namespace
