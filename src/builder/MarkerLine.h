#pragma once
// Finding the template line where the robot data belongs.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace builder {

// True for a line that, trimmed and upper-cased, begins with "ACTIONLIST" and has only blanks
// between that word and the first "DATA" on the line (or no "DATA" at all).
bool IsMarkerLine(std::string_view line);

// The index of the first marker line, if any.
std::optional<std::size_t> FindMarkerLine(const std::vector<std::string>& lines);

// Splits a program text into lines at CR LF, LF or CR.
std::vector<std::string> SplitLines(std::string_view text);

}  // namespace builder
