#pragma once
// Turns an error's offset and length in the source text into a line, a column and a caret
// line, the way compilers show errors. Lines end with LF, CR LF or CR.

#include <string>
#include <string_view>

namespace tok {

struct SourceLocation {
  int Line = 1;               // 1-based
  int Column = 1;             // 1-based, in characters (a TAB counts as one)
  std::string_view LineText;  // the line without its line end
  std::string Carets;         // spaces (TABs where the line has them) and '^' under the marked text
};

SourceLocation LocateInSource(std::string_view text, int start, int length);

// The text with its control characters shown as a terminal would echo them: NUL as "^@",
// ESC as "^[", DEL as "^?"; TABs stay, so that carets can line up under them.
std::string ShowControlCharacters(std::string_view text);

// "FILE:LINE:COL: error: MESSAGE", the source line and the caret line, each ending in '\n'.
// Without a position (start and length 0) only "FILE: error: MESSAGE". Control characters
// are shown visibly, and the carets stay under the characters they mark.
std::string FormatDiagnostic(std::string_view file, std::string_view text, std::string_view message,
                             int start, int length);

}  // namespace tok
