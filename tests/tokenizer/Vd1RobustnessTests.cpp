// The VD1 compiler on mutated programs: it either compiles or names an error that lies
// inside the source, and it never runs past its buffers (run under the sanitizers in CI).

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "Vd1TestSupport.h"

namespace {

const char* const kVocabulary[] = {
    " ",      "\n",     "\r\n",  "\t",   ":",      ",",     "\"",    "(",      ")",      "#",
    "$",      "%",      "@",     "=",    "=-",     "<",     ">",     "+",      "-",      "0",
    "1",      "255",    "65535", "B0",   "W1",     "PIN3",  "FOR",   "NEXT",   "IF",     "THEN",
    "AND",    "OR",     "GOSUB", "GOTO", "RETURN", "DEBUG", "SERIN", "SEROUT", "LOOKUP", "BRANCH",
    "EEPROM", "SYMBOL", "x",     "L:",   "TO",     "STEP",  "CR",    "CLS",    "REM",    "'",
};

TEST(Vd1Robustness, MutatedProgramsCompileOrFailInsideTheSource) {
  std::ifstream in(std::string(ROVALIS_SOURCE_DIR) + "/tests/tokenizer/vd1/patrol.bas", std::ios::binary);
  const std::string seed{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  ASSERT_FALSE(seed.empty());
  std::mt19937 rng(10);
  for (int n = 0; n < 3000; ++n) {
    std::string s = seed;
    const int edits = 1 + static_cast<int>(rng() % 10);
    for (int i = 0; i < edits; ++i) {
      const size_t at = rng() % (s.size() + 1);
      switch (rng() % 4) {
        case 0:
          s.insert(at, kVocabulary[rng() % std::size(kVocabulary)]);
          break;
        case 1:
          s.erase(at, 1 + rng() % 20);
          break;
        case 2:
          if (at < s.size()) s[at] = static_cast<char>(rng() % 256);
          break;
        default:
          if (!s.empty()) s.insert(at, s.substr(rng() % s.size(), rng() % 80));
          break;
      }
    }
    const auto outcome = vd1test::CompileText(s);
    if (outcome.Success) {
      ASSERT_EQ(outcome.EEPROM[255], outcome.LowestCodeAddress) << s;
      continue;
    }
    ASSERT_FALSE(outcome.ErrorText.empty()) << s;
    ASSERT_GE(outcome.ErrorStart, 0) << s;
    ASSERT_LE(outcome.ErrorStart + outcome.ErrorLength, static_cast<int>(s.size())) << s;
  }
}

}  // namespace
