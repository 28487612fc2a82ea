#include "app/core/ProgramText.h"

#include "app/core/Resources.h"

namespace app {

QStringList SplitProgramLines(const QByteArray& bytes) {
  QStringList lines;
  qsizetype start = 0;
  const qsizetype size = bytes.size();
  for (qsizetype i = 0; i < size; ++i) {
    const char c = bytes[i];
    if (c != '\n' && c != '\r') continue;
    lines << QString::fromLatin1(bytes.mid(start, i - start));
    if (c == '\r' && i + 1 < size && bytes[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < size) lines << QString::fromLatin1(bytes.mid(start));
  return lines;
}

void ProgramText::setLines(const QStringList& lines) {
  lines_ = lines;
  emit changed();
}

std::vector<std::string> ProgramText::toStdLines() const {
  std::vector<std::string> out;
  out.reserve(static_cast<size_t>(lines_.size()));
  for (const QString& line : lines_) out.push_back(line.toLatin1().toStdString());
  return out;
}

void ProgramText::setStdLines(const std::vector<std::string>& lines) {
  QStringList converted;
  converted.reserve(static_cast<qsizetype>(lines.size()));
  for (const std::string& line : lines)
    converted << QString::fromLatin1(line.data(), static_cast<qsizetype>(line.size()));
  setLines(converted);
}

void ProgramText::LoadProgramText(int resourceNumber) {
  const auto bytes = LoadResource(QStringLiteral("DATA"), resourceNumber);
  setLines(bytes ? SplitProgramLines(*bytes) : QStringList());
}

ProgramText& TheProgramText() {
  static ProgramText text;
  return text;
}

void LoadProgramText(int resourceNumber) { TheProgramText().LoadProgramText(resourceNumber); }

}  // namespace app
