#include "app/core/Texts.h"

#include <QFile>
#include <QList>

namespace app {

namespace {
// The translated table: one file that a translated build exchanges.
const char* const kTextTable = ":/WSDATA/texts.tsv";

const QHash<int, QString>& Table() {
  // Built once; a static local is initialised safely even when the identification
  // threads ask for their first text at the same time.
  static const QHash<int, QString> table = [] {
    QFile file(QString::fromLatin1(kTextTable));
    if (!file.open(QIODevice::ReadOnly)) return QHash<int, QString>();
    return ParseTextTable(file.readAll());
  }();
  return table;
}
}  // namespace

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

QString LoadText(int number) { return Table().value(number); }

}  // namespace app
