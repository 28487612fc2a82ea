#include "tokenizer/SourceLocation.h"

#include <algorithm>

namespace tok {

SourceLocation LocateInSource(std::string_view text, int start, int length) {
  SourceLocation where;
  const size_t offset = std::min(static_cast<size_t>(std::max(start, 0)), text.size());
  size_t lineStart = 0;
  for (size_t i = 0; i < offset; ++i) {
    if (text[i] == '\n' || (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'))) {
      ++where.Line;
      lineStart = i + 1;
    }
  }
  size_t lineEnd = lineStart;
  while (lineEnd < text.size() && text[lineEnd] != '\n' && text[lineEnd] != '\r') ++lineEnd;
  where.LineText = text.substr(lineStart, lineEnd - lineStart);
  // An offset on the CR of a CR LF pair belongs to the line it ends.
  const size_t column = std::min(offset, lineEnd) - lineStart;
  where.Column = static_cast<int>(column) + 1;
  for (size_t i = 0; i < column; ++i) where.Carets += where.LineText[i] == '\t' ? '\t' : ' ';
  // Carets stay on the line; a mark on the line end itself still gets one.
  const size_t width = std::max<size_t>(
      1, std::min(static_cast<size_t>(std::max(length, 0)), lineEnd - std::min(offset, lineEnd)));
  where.Carets.append(width, '^');
  return where;
}

namespace {

bool IsControl(char c) {
  return (static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7F;
}

// The caret line for the line as shown: two columns under each control character.
std::string VisibleCarets(const SourceLocation& where) {
  const size_t column = static_cast<size_t>(where.Column - 1);
  std::string carets;
  for (size_t i = 0; i < column; ++i) {
    const char c = where.LineText[i];
    carets += c == '\t' ? "\t" : IsControl(c) ? "  " : " ";
  }
  const size_t marked = where.Carets.size() - column;
  const std::string_view markedText = where.LineText.substr(std::min(column, where.LineText.size()), marked);
  size_t width = 0;
  for (char c : markedText) width += IsControl(c) ? 2 : 1;
  carets.append(std::max<size_t>(width, 1), '^');
  return carets;
}

}  // namespace

std::string ShowControlCharacters(std::string_view text) {
  std::string shown;
  shown.reserve(text.size());
  for (char c : text) {
    if (!IsControl(c)) {
      shown += c;
      continue;
    }
    shown += '^';
    shown += c == 0x7F ? '?' : static_cast<char>(c + '@');
  }
  return shown;
}

std::string FormatDiagnostic(std::string_view file, std::string_view text, std::string_view message,
                             int start, int length) {
  std::string out = ShowControlCharacters(file);
  if (start == 0 && length == 0) {
    out += ": error: " + ShowControlCharacters(message) + '\n';
    return out;
  }
  const SourceLocation where = LocateInSource(text, start, length);
  out += ':' + std::to_string(where.Line) + ':' + std::to_string(where.Column) + ": error: ";
  out += ShowControlCharacters(message) + '\n';
  out += ShowControlCharacters(where.LineText) + '\n';
  out += VisibleCarets(where) + '\n';
  return out;
}

}  // namespace tok
