#pragma once
// Texts are UTF-8; the separator and sign of the number format are single code points.

#include <string>
#include <string_view>

namespace actions {

void AppendUtf8(std::string& out, char32_t codePoint);
// Malformed bytes decode as U+FFFD, one per byte, so scanning never stops early or overreads.
std::u32string DecodeUtf8(std::string_view text);

}  // namespace actions
