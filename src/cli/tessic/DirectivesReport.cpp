// --directives-only: what the editor directives of the source say.

#include <cstdio>

#include "Tessic.h"
#include "tokenizer/Tokenizer.h"

namespace cli::tessic {
namespace {

int PrintDirectives(const Options& options, tok::Tokenizer& t) {
  if (!options.DirectivesOnly) return 0;
  const tok::ResultRecord& r = t.TokenizeResult;
  std::printf("Target module: %s\n", ModuleText(r.TargetModule));
  std::printf("Language version: %d.%d\n", r.LanguageVersion / 100, r.LanguageVersion % 100 / 10);
  std::printf("Port: %s\n", r.Port ? r.Port : "none");
  std::printf("Project files:");
  bool any = false;
  for (const char* file : r.ProjectFiles)
    if (file) {
      std::printf(" %s", file);
      any = true;
    }
  std::printf("%s\n", any ? "" : " none");
  return 0;
}

const OutputRegistration step({0, "directives", PrintDirectives});

}  // namespace
}  // namespace cli::tessic
