#include "app/core/Texts.h"

#include <QFile>
#include <QList>

#include "app/core/Language.h"

namespace app {

namespace {
QHash<int, QString> ReadTable(Language language) {
  QFile file(QStringLiteral(":/WSDATA/%1.tsv").arg(QString::fromLatin1(LanguageCode(language))));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return ParseTextTable(file.readAll());
}
}  // namespace

const QHash<int, QString>& TextSet(Language language) {
  // Built once per language; static locals are initialised safely even when the
  // identification threads ask for their first text at the same time.
  static const QHash<int, QString> spanish = ReadTable(Language::Spanish);
  static const QHash<int, QString> english = ReadTable(Language::English);
  return language == Language::Spanish ? spanish : english;
}

QHash<int, QString> ParseTextTable(const QByteArray& table) {
  QHash<int, QString> texts;
  for (QByteArray line : table.split('\n')) {
    if (line.endsWith('\r')) line.chop(1);
    if (line.isEmpty() || line.startsWith('#')) continue;
    const qsizetype open = line.indexOf('"');
    const qsizetype close = line.lastIndexOf('"');
    if (open < 0 || close <= open) continue;
    bool ok = false;
    const int number = line.left(open).trimmed().toInt(&ok);
    if (!ok) continue;
    texts.insert(number, QString::fromUtf8(line.mid(open + 1, close - open - 1)));
  }
  return texts;
}

QString LoadText(int number, Language language) {
  return TextSet(language).value(number);
}

QString LoadText(int number) {
  return LoadText(number, ActiveLanguage());
}

}  // namespace app
