#include "CliText.h"

#include "app/core/Texts.h"

namespace cli {

std::string CliText(int number, const QStringList& arguments) {
  const QString text = app::LoadText(number);
  QString filled;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const bool holder =
        text[i] == u'%' && i + 1 < text.size() && text[i + 1].isDigit() && text[i + 1] != u'0';
    const int index = holder ? text[i + 1].digitValue() - 1 : -1;
    if (holder && index < arguments.size()) {
      filled += arguments[index];
      ++i;
    } else {
      filled += text[i];
    }
  }
  return filled.toStdString();
}

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

}  // namespace cli
