// Tokenize must never crash: 10,000 random and mutated sources through one tokenizer (as the
// application keeps one), with random call flags and preset modules.

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <random>

#include "TokTestSupport.h"

namespace {

const char* const Seeds[] = {
    "'{$VARDA VD2}\n'{$TESSIC 2.5}\nx VAR BYTE\nk CON 3 * 2\nDO\n  x = x + 1 // 3\n  IF x > k THEN main\n"
    "LOOP UNTIL IN3 = 0\nmain:\n  DEBUG DEC x, CR\n  HIGH 5 : PAUSE 100\nEND\n",
    "'{$VARDA VD2E, \"a.bse\", b.bse}\n'{$PORT COM2}\ntable DATA 1, 2, @20, WORD 500, (4)\n"
    "FOR B0 = 1 TO 10 STEP 2\n  READ table + B0, B1\nNEXT\n",
    "'{$VARDA VD2PE}\n'{$TESSIC 2.5}\n#DEFINE FAST\n#IF FAST AND $VARDA = VD2PE #THEN\nw VAR WORD\n"
    "#ELSE\n#ERROR \"slow\"\n#ENDIF\n#SELECT $PORT\n#CASE 1 TO 3, -1\nw = W0.HIGHBYTE.BIT3\n#CASE #ELSE\n"
    "#ENDSELECT\nSELECT w\n  CASE < 5 : w = 1\n  CASE ELSE\nENDSELECT\n",
    "'{$VARDA VD1}\nSYMBOL x = B2\nloop: x = x + 1 : IF x < 10 THEN loop\nDEBUG x\nEND\n",
    "x = \"AB\" : y = %1010 + $FF0 - 65535 */ 3 ** 2 : z = -ABS SQR 4 HYP 2\n",
};

const char* const Vocabulary[] = {
    " ",
    "\n",
    "\r\n",
    "\t",
    ":",
    ",",
    "'",
    "\"",
    "{",
    "}",
    "$",
    "#",
    "(",
    ")",
    "[",
    "]",
    ".",
    "@",
    "?",
    "\\",
    "=",
    "<",
    ">",
    "<=",
    "*/",
    "+",
    "-",
    "0",
    "1",
    "9",
    "65535",
    "65536",
    "%",
    "$F",
    "x",
    "B0",
    "W1",
    "IN3",
    "HIGHBYTE",
    "BIT0",
    "CON",
    "VAR",
    "DATA",
    "PIN",
    "WORD",
    "BYTE",
    "IF",
    "THEN",
    "ELSE",
    "ENDIF",
    "DO",
    "LOOP",
    "FOR",
    "NEXT",
    "TO",
    "STEP",
    "GOSUB",
    "GOTO",
    "RETURN",
    "SELECT",
    "CASE",
    "ENDSELECT",
    "#IF",
    "#THEN",
    "#ELSE",
    "#ENDIF",
    "#DEFINE",
    "#SELECT",
    "#CASE",
    "#ENDSELECT",
    "#ERROR",
    "'{$VARDA VD2}",
    "'{$TESSIC 2.5}",
    "'{$PORT COM1}",
    "DEBUG",
    "SEROUT",
    "DEC",
    "STR",
    "LOOKUP",
    "NOT",
    "AND",
    "label:",
    "AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA",
};

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string Mutate(std::string s, std::mt19937& rng) {
  const int edits = 1 + static_cast<int>(rng() % 8);
  for (int i = 0; i < edits; ++i) {
    const size_t at = s.empty() ? 0 : rng() % (s.size() + 1);
    switch (rng() % 5) {
      case 0:
        s.insert(at, Vocabulary[rng() % std::size(Vocabulary)]);
        break;
      case 1:
        if (!s.empty()) s.erase(at, 1 + rng() % 12);
        break;
      case 2:
        if (at < s.size()) s[at] = static_cast<char>(rng() % 256);
        break;
      case 3:
        if (!s.empty()) s.insert(at, s.substr(rng() % s.size(), rng() % 60));
        break;
      default:
        s.insert(at, 1, static_cast<char>(rng() % 256));
    }
  }
  return s;
}

std::string RandomSource(std::mt19937& rng) {
  std::string s;
  const int pieces = static_cast<int>(rng() % 80);
  for (int i = 0; i < pieces; ++i) {
    if (rng() % 4 == 0)
      s += static_cast<char>(rng() % 256);
    else
      s += Vocabulary[rng() % std::size(Vocabulary)];
    if (rng() % 3 == 0) s += ' ';
  }
  return s;
}

TEST(Robustness, TenThousandRandomAndMutatedSourcesNeverCrash) {
  std::vector<std::string> seeds(std::begin(Seeds), std::end(Seeds));
  for (const char* file : {"/resources/programs/robot.bas", "/resources/programs/test.bas"}) {
    const std::string text = ReadFile(std::string(ROVALIS_SOURCE_DIR) + file);
    if (!text.empty()) seeds.push_back(text);
  }
  std::mt19937 rng(20261208);
  auto t = std::make_unique<tok::Tokenizer>();
  int succeeded = 0;
  for (int i = 0; i < 10000; ++i) {
    std::string source = (i % 3 == 0) ? RandomSource(rng) : Mutate(seeds[rng() % seeds.size()], rng);
    if (source.size() > static_cast<size_t>(tok::Tokenizer::SourceSizeLimit))
      source.resize(tok::Tokenizer::SourceSizeLimit);
    ASSERT_TRUE(t->SetSource(source));
    const uint32_t flags = rng();
    const bool directivesOnly = (flags & 7) == 0;
    const bool readTarget = (flags & 8) != 0;
    if (!readTarget) {
      t->TokenizeResult.TargetModule = static_cast<uint8_t>((flags >> 4) % 8);
    }
    const bool ok = t->Tokenize(directivesOnly, readTarget, (flags & 256) != 0);
    const tok::ResultRecord& r = t->TokenizeResult;
    if (ok) {
      ++succeeded;
      if (!directivesOnly) {
        EXPECT_GT(r.PacketCount, 0) << source;
      }
    } else if (r.ErrorText) {
      ASSERT_FALSE(r.ErrorText >= r.Source && r.ErrorText < r.Source + tok::SourceCapacity) << source;
      ASSERT_TRUE(r.ErrorText[3] == '-') << r.ErrorText;
      ASSERT_GE(r.ErrorStart, 0) << source;
    }
  }
  EXPECT_GT(succeeded, 0);
}

}  // namespace
