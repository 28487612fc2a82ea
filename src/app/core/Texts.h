#pragma once
#include <QByteArray>
#include <QHash>
#include <QString>

namespace app {

// First and last number of the user-interface texts that this build carries.
inline constexpr int kFirstText = 366;
inline constexpr int kLastText = 453;

// The user-interface text with that number; empty when the build has no such text.
// Safe to call from several threads at once.
QString LoadText(int number);

// Reads a text table: one text per line, `<number> <tab> "<text>"`, where the text is
// everything between the first and the last double quote on the line. Empty lines and
// lines that begin with '#' are skipped; so are lines that do not follow the form.
QHash<int, QString> ParseTextTable(const QByteArray& table);

}  // namespace app
