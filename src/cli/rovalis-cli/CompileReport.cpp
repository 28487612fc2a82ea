#include "CompileReport.h"

#include <iostream>

#include "tokenizer/SourceLocation.h"
#include "tokenizer/Tokenizer.h"

namespace cli {

std::string ProgramSource(const QStringList& lines) {
  return lines.join(QStringLiteral("\r\n")).toLatin1().toStdString();
}

bool CompileOrReport(tok::Tokenizer& tokenizer, const std::string& name, const std::string& source,
                     const std::string& hint) {
  const tok::ResultRecord& r = tokenizer.TokenizeResult;
  std::string report;
  if (static_cast<long>(source.size()) > tok::Tokenizer::SourceSizeLimit) {
    report = name + ": the program has " + std::to_string(source.size()) +
             " characters; the compiler takes at most " + std::to_string(tok::Tokenizer::SourceSizeLimit) +
             "\n";
  } else if (!tokenizer.SetSource(source) || !tokenizer.Tokenize(false, true, false)) {
    report = tok::FormatDiagnostic(name, source, r.ErrorText ? r.ErrorText : "compilation failed",
                                   r.ErrorStart, r.ErrorLength);
  } else if (r.PacketCount == 0) {
    report = name + ": the program gives no download packets\n";
  } else {
    return true;
  }
  std::cerr << "Error! Tokenization Failed!\n" << report;
  if (!hint.empty()) std::cerr << hint << "\n";
  return false;
}

}  // namespace cli
