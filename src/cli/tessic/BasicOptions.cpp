// The options every compilation knows: --directives-only, --target, --any-version.

#include "Tessic.h"

namespace cli::tessic {
namespace {

const OptionRegistration directivesOnly({"--directives-only", "",
                                         "only read the directives: print target module, language version, port "
                                         "and project files",
                                         [](Options& o, const std::string&) {
                                           o.DirectivesOnly = true;
                                           return std::string();
                                         }});

const OptionRegistration target({"--target", "MODULE",
                                 "compile for MODULE (VD1, VD2, VD2E, VD2SX, VD2P, VD2PE); the source's $VARDA "
                                 "directive is ignored",
                                 [](Options& o, const std::string& value) {
                                   o.PresetTarget = ModuleNumber(value);
                                   if (o.PresetTarget == 0)
                                     return "unknown module '" + value +
                                            "' (expected VD1, VD2, VD2E, VD2SX, VD2P or VD2PE)";
                                   return std::string();
                                 }});

const OptionRegistration anyVersion({"--any-version", "", "accept language versions 1.0, 2.0 and 2.5 for any module",
                                     [](Options& o, const std::string&) {
                                       o.AnyVersion = true;
                                       return std::string();
                                     }});

}  // namespace
}  // namespace cli::tessic
