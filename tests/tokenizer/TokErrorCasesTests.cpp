// One table of compilation errors through the whole of Tokenize (module VD2 preset): the text
// the user sees and the source text it marks.

#include <gtest/gtest.h>

#include "TokTestSupport.h"

using namespace toktest;

namespace {

struct ErrorCase {
  std::string Source;
  Failure Expected;
};

const ErrorCase Cases[] = {
    // scanner
    {"B0 = \"\"\n", {"101-Expected character(s)", 5, 2}},
    {"B0 = {\n", {"103-Unrecognized character", 5, 1}},
    {"B0 = $X\n", {"104-Expected hex digit", 6, 1}},
    {"B0 = %3\n", {"105-Expected binary digit", 6, 1}},
    {"B0 = 65536\n", {"109-Constant exceeds 16 bits", 5, 6}},
    {"B0 = 00000000000000001\n", {"108-Constant exceeds 16 digits", 5, 17}},
    {"B0 = 1234567\n", {"109-Constant exceeds 16 bits", 5, 7}},
    {"B0 = 1 : B1 = 2 ; 3\n", {"103-Unrecognized character", 16, 1}},
    // directives
    {"'{$VARDA VD2}\n'{$PORT COM1}\n'{$PORT COM1}\nB0 = 1\n", {"155-Duplicate directive", 30, 5}},
    {"'{$TESSIC 1.5}\nB0 = 1\n", {"187-Invalid TESSIC version number.  Must be 1.0, 2.0 or 2.5", 10, 3}},
    // conditional compilation
    {"'{$TESSIC 2.5}\n#IF 1/0 #THEN\n#ENDIF\nB0 = 1\n", {"113-Cannot divide by 0", 23, 5}},
    {"'{$TESSIC 2.5}\n#IF 1 #THEN\nB0 = 1\n", {"191-'#IF' without '#ENDIF'", 15, 3}},
    {"'{$TESSIC 2.5}\n#ERROR \"No\"\n", {"199-No", 15, 11}},
    // expressions
    {"B0 = 1 +\n", {"141-Expected a constant, variable, unary operator, or '('", 8, 1}},
    {"B0 = (1\n", {"142-Expected a binary operator or ')'", 7, 1}},
    {"B0 = zz\n", {"110-Undefined symbol", 5, 2}},
    {"B0 = B3.BIT9\n", {"140-Variable modifier is out-of-range", 8, 4}},
    {"B0 = W0.HIGHBYTE.BIT7.BIT0\n", {"138-Variable is already bit-size", 21, 1}},
    {"B0 = 1+(2+(3+(4+(5+(6+(7+(8+9)))))))\n", {"144-Expression is too complex", 28, 1}},
};

TEST(ErrorCases, TextAndMarkedSource) {
  for (const ErrorCase& c : Cases) {
    auto t = Make(c.Source);
    EXPECT_EQ(TokenizeFor(*t), c.Expected) << c.Source;
  }
}

}  // namespace
