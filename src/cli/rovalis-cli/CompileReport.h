#pragma once
// The compiler's refusal as every command shows it: "Error! Tokenization Failed!", then the
// error as FILE:LINE:COL with the source line and carets, the way tessic prints it.

#include <QStringList>
#include <string>

namespace tok {
class Tokenizer;
}

namespace cli {

// The text the download compiles: the lines, byte for byte, joined with CR LF.
std::string ProgramSource(const QStringList& lines);

// Compiles the source for the module its directives name. When the compiler refuses it (or
// it gives no packet) the error goes to standard error, named after `name`, followed by
// `hint` when there is one, and the result is false.
bool CompileOrReport(tok::Tokenizer& tokenizer, const std::string& name, const std::string& source,
                     const std::string& hint = {});

}  // namespace cli
