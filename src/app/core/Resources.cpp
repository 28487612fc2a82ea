#include "app/core/Resources.h"

#include <QFile>

#include "app/core/Language.h"

namespace app {

QString ResourcePath(const QString& type, int number) {
  return QStringLiteral(":/%1/%2").arg(type).arg(number);
}

std::optional<QByteArray> LoadResource(const QString& type, int number) {
  QFile file(ResourcePath(type, number));
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  return file.readAll();
}

std::optional<QByteArray> LoadPictureResource(const QString& type, int number) {
  const QString language = QString::fromLatin1(LanguageCode(ActiveLanguage()));
  QFile own(QStringLiteral(":/%1/%2/%3").arg(language, type).arg(number));
  if (own.open(QIODevice::ReadOnly)) return own.readAll();
  return LoadResource(type, number);
}

}  // namespace app
