// Error positions as tessic shows them: line, column and carets, with TABs and CR LF.

#include <gtest/gtest.h>

#include "tokenizer/SourceLocation.h"

namespace {

struct Case {
  std::string Text;
  int Start, Length;
  int Line, Column;
  std::string LineText, Carets;
};

const Case Cases[] = {
    {"x = {\ny = 2\n", 4, 1, 1, 5, "x = {", "    ^"},                 // first line
    {"a = 1\r\nb = c + {\r\nd = 3\r\n", 15, 1, 2, 9, "b = c + {", "        ^"},  // middle, CR LF
    {"a = 1\nb = 2\nzz = 65536", 17, 6, 3, 6, "zz = 65536", "     ^^^^^"},  // last line, cut at its end
    {"a\n\tb = \tqq\n", 8, 2, 2, 7, "\tb = \tqq", "\t    \t^^"},  // TABs kept so carets line up
    {"a\rb\rc c\r", 6, 1, 3, 3, "c c", "  ^"},                       // CR alone
    {"x = \"ab\r\nz\r\n", 4, 5, 1, 5, "x = \"ab", "    ^^^"},            // mark running into the line end
    {"abc", 3, 1, 1, 4, "abc", "   ^"},                                 // the end of the text
};

TEST(SourceLocation, LineColumnAndCarets) {
  for (const Case& c : Cases) {
    const tok::SourceLocation where = tok::LocateInSource(c.Text, c.Start, c.Length);
    EXPECT_EQ(where.Line, c.Line) << c.Text;
    EXPECT_EQ(where.Column, c.Column) << c.Text;
    EXPECT_EQ(where.LineText, c.LineText) << c.Text;
    EXPECT_EQ(where.Carets, c.Carets) << c.Text;
  }
}

TEST(SourceLocation, DiagnosticLikeACompiler) {
  EXPECT_EQ(tok::FormatDiagnostic("robot.bas", "x = 1\r\ny = zz\r\n", "110-Undefined symbol", 11, 2),
            "robot.bas:2:5: error: 110-Undefined symbol\ny = zz\n    ^^\n");
  EXPECT_EQ(tok::FormatDiagnostic("empty.bas", "", "157-Nothing to tokenize", 0, 0),
            "empty.bas: error: 157-Nothing to tokenize\n");
}

}  // namespace
