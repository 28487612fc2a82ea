#include "builder/MarkerLine.h"

#include <algorithm>
#include <cctype>

namespace builder {

namespace {
constexpr std::string_view kMarkerWord = "ACTIONLIST";

// Blanks and control characters, as the template's own trimming sees them.
bool IsBlank(char c) {
  return static_cast<unsigned char>(c) <= ' ';
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::string Upper(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); });
  return out;
}
}  // namespace

bool IsMarkerLine(std::string_view line) {
  // Measured on the trimmed line, so an indented marker line counts as well.
  const std::string upper = Upper(Trim(line));
  if (!upper.starts_with(kMarkerWord)) return false;
  const std::size_t data = upper.find("DATA", kMarkerWord.size());
  if (data == std::string::npos) return true;
  std::string_view between = std::string_view(upper).substr(kMarkerWord.size(), data - kMarkerWord.size());
  return Trim(between).empty();
}

std::optional<std::size_t> FindMarkerLine(const std::vector<std::string>& lines) {
  for (std::size_t i = 0; i < lines.size(); ++i)
    if (IsMarkerLine(lines[i])) return i;
  return std::nullopt;
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.emplace_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

}  // namespace builder
