#include "CompileReport.h"

#include <iostream>

#include "app/core/Texts.h"
#include "comm/DownloadUi.h"
#include "tokenizer/SourceLocation.h"
#include "tokenizer/Tokenizer.h"

namespace cli {
namespace {
constexpr int kProgramTooLong = 535;  // name, characters, limit
constexpr int kNoPackets = 536;       // name
}  // namespace

std::string ProgramSource(const QStringList& lines) {
  return lines.join(QStringLiteral("\r\n")).toLatin1().toStdString();
}

bool CompileOrReport(tok::Tokenizer& tokenizer, const std::string& name, const std::string& source,
                     const std::string& hint) {
  const tok::ResultRecord& r = tokenizer.TokenizeResult;
  std::string report;
  if (static_cast<long>(source.size()) > tok::Tokenizer::SourceSizeLimit) {
    // Arguments go in in one pass, so a name with a '%' in it stays as it is.
    report = app::LoadText(kProgramTooLong)
                 .arg(QString::fromStdString(name), QString::number(source.size()),
                      QString::number(tok::Tokenizer::SourceSizeLimit))
                 .toStdString() +
             "\n";
  } else if (!tokenizer.SetSource(source) || !tokenizer.Tokenize(false, true, false)) {
    report = tok::FormatDiagnostic(name, source, r.ErrorText ? r.ErrorText : "compilation failed",
                                   r.ErrorStart, r.ErrorLength);
  } else if (r.PacketCount == 0) {
    report = app::LoadText(kNoPackets).arg(QString::fromStdString(name)).toStdString() + "\n";
  } else {
    return true;
  }
  std::cerr << app::LoadText(comm::kTokenizeFailedText).toStdString() << "\n" << report;
  if (!hint.empty()) std::cerr << hint << "\n";
  return false;
}

}  // namespace cli
