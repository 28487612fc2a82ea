#include "ui/TessicHighlighter.h"

#include <QColor>
#include <QTextCharFormat>

#include "tokenizer/Keywords.h"

namespace ui {

namespace {

using Role = TessicHighlighter::Role;

const QSet<QString>& KeywordSet() {
  static const QSet<QString> words = [] {
    QSet<QString> set;
    auto add = [&set](std::string_view name) {
      set.insert(QString::fromLatin1(name.data(), qsizetype(name.size())).toUpper());
    };
    for (const auto& record : tok::MainKeywordsBeforeFormatters) add(record.Name);
    for (const auto& record : tok::MainKeywordsAfterFormatters) add(record.Name);
    for (const auto& record : tok::ConditionalKeywords) add(record.Record.Name);
    for (const auto& record : tok::DirectiveKeywords) add(record.Name);
    for (const char* word :
         {"REM", "DEC", "HEX", "BIN", "SDEC", "SHEX", "SBIN", "IHEX", "IBIN", "ISHEX", "ISBIN"})
      set.insert(QString::fromLatin1(word));
    return set;
  }();
  return words;
}

bool IsWordStart(QChar c) {
  return c.isLetter() || c == u'_';
}
bool IsWordChar(QChar c) {
  return c.isLetterOrNumber() || c == u'_';
}

QTextCharFormat FormatOf(Role role) {
  QTextCharFormat format;
  switch (role) {
    case Role::Keyword:
      format.setForeground(QColor(0x00, 0x00, 0xA0));
      format.setFontWeight(QFont::Bold);
      break;
    case Role::Comment:
      format.setForeground(QColor(0x00, 0x80, 0x00));
      format.setFontItalic(true);
      break;
    case Role::String:
      format.setForeground(QColor(0xA0, 0x00, 0x00));
      break;
    case Role::Number:
      format.setForeground(QColor(0x80, 0x00, 0x80));
      break;
    case Role::Label:
      format.setForeground(QColor(0x00, 0x60, 0x80));
      format.setFontWeight(QFont::Bold);
      break;
    case Role::Plain:
      break;
  }
  return format;
}

}  // namespace

TessicHighlighter::TessicHighlighter(QTextDocument* document) : QSyntaxHighlighter(document) {}

bool TessicHighlighter::IsKeyword(const QString& word) {
  return KeywordSet().contains(word.toUpper());
}

std::vector<Role> TessicHighlighter::Classify(const QString& line) {
  const int n = int(line.size());
  std::vector<Role> roles(std::size_t(n), Role::Plain);
  auto paint = [&roles](int from, int to, Role role) {
    for (int i = from; i < to; ++i) roles[std::size_t(i)] = role;
  };
  bool firstWord = true;
  int i = 0;
  while (i < n) {
    const QChar c = line[i];
    if (c == u'\'') {  // a comment (editor directives are comments too) runs to the line end
      paint(i, n, Role::Comment);
      break;
    }
    if (c == u'"') {
      int end = i + 1;
      while (end < n && line[end] != u'"') ++end;
      end = std::min(n, end + 1);
      paint(i, end, Role::String);
      i = end;
      firstWord = false;
      continue;
    }
    if (c.isDigit() || ((c == u'$' || c == u'%') && i + 1 < n && line[i + 1].isLetterOrNumber())) {
      int end = i + 1;
      while (end < n && (line[end].isLetterOrNumber() || line[end] == u'_')) ++end;
      // "%" alone is the modulo operator; "$" and "%" with digits are hexadecimal and binary.
      paint(i, end, Role::Number);
      i = end;
      firstWord = false;
      continue;
    }
    if (IsWordStart(c)) {
      int end = i + 1;
      while (end < n && IsWordChar(line[end])) ++end;
      const QString word = line.mid(i, end - i);
      if (word.compare(QStringLiteral("REM"), Qt::CaseInsensitive) == 0) {
        paint(i, n, Role::Comment);
        break;
      }
      if (firstWord && end < n && line[end] == u':' && !IsKeyword(word)) {
        paint(i, end + 1, Role::Label);
        i = end + 1;
      } else {
        if (IsKeyword(word)) paint(i, end, Role::Keyword);
        i = end;
      }
      firstWord = false;
      continue;
    }
    if (!c.isSpace()) firstWord = c == u':';  // a new statement after ':' may start with a label
    ++i;
  }
  return roles;
}

void TessicHighlighter::highlightBlock(const QString& text) {
  const std::vector<Role> roles = Classify(text);
  int start = 0;
  for (int i = 1; i <= int(roles.size()); ++i) {
    if (i < int(roles.size()) && roles[std::size_t(i)] == roles[std::size_t(start)]) continue;
    if (roles[std::size_t(start)] != Role::Plain)
      setFormat(start, i - start, FormatOf(roles[std::size_t(start)]));
    start = i;
  }
}

}  // namespace ui
