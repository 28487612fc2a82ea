#pragma once
// The languages the program speaks and the `--lang es|en` option that every program takes.
// Plain C++ without Qt, so the compiler's command line shares it.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace app {

enum class Language { Spanish, English };

inline constexpr Language kLanguages[] = {Language::Spanish, Language::English};

inline constexpr const char* kLanguageOptionHelp =
    "language of the texts: es (Spanish) or en (English); default: the stored setting, else the system's";

inline const char* LanguageCode(Language language) {
  return language == Language::Spanish ? "es" : "en";
}

// "es" or "en" (any letter case); nothing for any other text.
inline std::optional<Language> LanguageFromCode(std::string_view code) {
  std::string lower(code);
  for (char& c : lower) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  if (lower == "es") return Language::Spanish;
  if (lower == "en") return Language::English;
  return std::nullopt;
}

// Takes every "--lang CODE" and "--lang=CODE" out of `args`; the last one counts. Returns an
// error message (empty when all is well) for a missing or unknown code.
inline std::string TakeLanguageOption(std::vector<std::string>& args, std::optional<Language>& chosen) {
  for (std::size_t i = 0; i < args.size();) {
    std::string value;
    std::size_t taken = 1;
    if (args[i] == "--lang") {
      if (i + 1 >= args.size()) return "--lang needs es or en";
      value = args[i + 1];
      taken = 2;
    } else if (args[i].rfind("--lang=", 0) == 0) {
      value = args[i].substr(7);
    } else {
      ++i;
      continue;
    }
    chosen = LanguageFromCode(value);
    if (!chosen) return "--lang takes es or en, not '" + value + "'";
    args.erase(args.begin() + static_cast<std::ptrdiff_t>(i),
               args.begin() + static_cast<std::ptrdiff_t>(i + taken));
  }
  return {};
}

}  // namespace app
