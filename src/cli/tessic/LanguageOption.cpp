// --lang, which every program takes. The compiler's messages are its numbered errors and
// its reports, the same in every language, so the option is only checked.

#include "Tessic.h"
#include "app/core/LanguageCode.h"

namespace cli::tessic {
namespace {

const OptionRegistration language({"--lang", "es|en", app::kLanguageOptionHelp,
                                   [](Options&, const std::string& value) {
                                     if (app::LanguageFromCode(value)) return std::string();
                                     return "takes es or en, not '" + value + "'";
                                   }});

}  // namespace
}  // namespace cli::tessic
