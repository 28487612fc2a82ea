// Tokenize on arbitrary text: whatever the source, a compilation ends, and a failure carries
// a known error text and a position inside the source.

#include <memory>
#include <string>
#include <string_view>

#include "Checks.h"
#include "tokenizer/Tokenizer.h"
#include "tokenizer/vd1/Vd1Kinds.h"

namespace fuzz {
namespace {

bool IsTableText(std::string_view text) {
  for (std::string_view row : tok::ErrorTable)
    if (text == row) return true;
  for (int number = 100; number < 300; ++number)
    if (!tok::vd1::ErrorText(tok::vd1::Error(number)).empty() &&
        text == tok::vd1::ErrorText(tok::vd1::Error(number)))
      return true;
  // #ERROR: the fixed prefix followed by the program's own characters.
  return text.starts_with(tok::ErrorTable[tok::ErrUserErrorPrefix]);
}

// One tokenizer for the whole run, as the application keeps one: every input also checks
// that nothing of the previous compilation leaks into the next.
tok::Tokenizer& SharedTokenizer() {
  static auto* tokenizer = new tok::Tokenizer;
  return *tokenizer;
}

}  // namespace

std::string CheckTokenize(Bytes input) {
  if (input.empty()) return {};
  const std::uint8_t mode = input[0];
  const std::string_view source(reinterpret_cast<const char*>(input.data()) + 1, input.size() - 1);
  tok::Tokenizer& t = SharedTokenizer();
  if (!t.SetSource(source)) return {};  // too long for the editor's buffer; refused before compiling

  const int module = (mode & 7) % 7;
  const bool readTarget = (mode & 8) != 0;
  const bool directivesOnly = (mode & 16) != 0;
  const bool anyLanguage = (mode & 32) != 0;
  t.TokenizeResult.TargetModule = static_cast<std::uint8_t>(module);
  const int size = static_cast<int>(source.size());

  const bool ok = t.Tokenize(directivesOnly, readTarget, anyLanguage);
  const tok::ResultRecord& r = t.TokenizeResult;
  if (ok != (r.Success != 0)) return "Tokenize's answer differs from Success";
  if (r.TargetModule > tok::ModuleVD2PE)
    return "TargetModule out of range: " + std::to_string(r.TargetModule);
  if (r.PacketCount > tok::PacketLimit) return "PacketCount above the limit";
  if (ok) return {};

  if (r.ErrorText == nullptr) return "failure without an error text";
  // The text has storage of its own: nothing of it is written into Source.
  const char* end = r.Source + tok::SourceCapacity;
  if (r.ErrorText >= r.Source && r.ErrorText < end) return "error text inside Source";
  const std::string_view text(r.ErrorText);
  if (!IsTableText(text)) return "error text not from the table: " + std::string(text);
  // The scanner closes the source with a line-end marker at Source[SourceSize]; an error on the
  // closing end of statement marks that one character.
  if (r.ErrorStart < 0 || r.ErrorLength < 0 || r.ErrorStart > size ||
      r.ErrorLength > size + 1 - r.ErrorStart) {
    return "error position outside the source: start " + std::to_string(r.ErrorStart) + " length " +
           std::to_string(r.ErrorLength) + " size " + std::to_string(size) + " (" + std::string(text) + ")";
  }
  return {};
}

}  // namespace fuzz
