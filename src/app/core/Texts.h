#pragma once
#include <QByteArray>
#include <QHash>
#include <QString>

#include "app/core/LanguageCode.h"

namespace app {

// First and last number of the user-interface texts of the first table; the newer windows'
// texts follow from 460 on.
inline constexpr int kFirstText = 366;
inline constexpr int kLastText = 453;

// The user-interface text with that number in the active language; empty when the build has
// no such text. Safe to call from several threads at once.
QString LoadText(int number);

// The same from the text set of one language.
QString LoadText(int number, Language language);

// The whole text set of a language (one table per language, `:/WSDATA/<code>.tsv`).
const QHash<int, QString>& TextSet(Language language);

// Reads a text table: one text per line, `<number> <tab> "<text>"`, where the text is
// everything between the first and the last double quote on the line. Empty lines and
// lines that begin with '#' are skipped; so are lines that do not follow the form.
QHash<int, QString> ParseTextTable(const QByteArray& table);

}  // namespace app
