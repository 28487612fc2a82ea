// Diagnostics with control characters: shown visibly, nothing cut off, carets still under
// the marked text.

#include <gtest/gtest.h>

#include <string>

#include "tokenizer/SourceLocation.h"

using namespace std::string_literals;

TEST(DiagnosticDisplay, ControlCharactersAreShownAndCaretsFollowThem) {
  struct Case {
    std::string name, text;
    int start, length;
    std::string expected;
  };
  const Case cases[] = {
      {"NUL before the mark", "x = \0zz\n"s, 5, 2, "f.bas:1:6: error: E\nx = ^@zz\n      ^^\n"},
      {"NUL marked", "x = \0\n"s, 4, 1, "f.bas:1:5: error: E\nx = ^@\n    ^^\n"},
      {"ESC and DEL", "a\x1b[1m\x7fq = 1"s, 6, 1, "f.bas:1:7: error: E\na^[[1m^?q = 1\n        ^\n"},
      {"TAB kept, bell shown", "\tb\a = qq\r\n"s, 6, 2, "f.bas:1:7: error: E\n\tb^G = qq\n\t      ^^\n"},
      {"second line after a NUL line", "\0\nlet y\n"s, 2, 3, "f.bas:2:1: error: E\nlet y\n^^^\n"},
      {"plain text unchanged", "y = zz"s, 4, 2, "f.bas:1:5: error: E\ny = zz\n    ^^\n"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(tok::FormatDiagnostic("f.bas", c.text, "E", c.start, c.length), c.expected) << c.name;
}

TEST(DiagnosticDisplay, FileNameAndMessageCannotBreakTheFormat) {
  EXPECT_EQ(tok::FormatDiagnostic("a\nb.bas", "", "bad\0text"s, 0, 0), "a^Jb.bas: error: bad^@text\n");
  EXPECT_EQ(tok::ShowControlCharacters("\x01\x1f\x7f\xc3\xa9"s), "^A^_^?\xc3\xa9");
}
