#pragma once
// A text for the user: either a user-interface text by number (the app resolves it with
// LoadText) or a literal text.

#include <string>

namespace actions {

struct UiMessage {
  int TextNumber = 0;   // 0 when the text is literal
  std::string Literal;  // UTF-8; used when TextNumber is 0

  static UiMessage Text(int number) { return UiMessage{number, {}}; }
  static UiMessage Plain(std::string text) { return UiMessage{0, std::move(text)}; }
  bool Empty() const { return TextNumber == 0 && Literal.empty(); }
  bool operator==(const UiMessage&) const = default;
};

}  // namespace actions
