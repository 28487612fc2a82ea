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

QString ScaledAlias(const QString& alias, int scale) {
  return scale > 1 ? alias + QStringLiteral("@%1x").arg(scale) : alias;
}

std::optional<QByteArray> LoadPictureResource(const QString& type, int number, int scale) {
  const QString language = QString::fromLatin1(LanguageCode(ActiveLanguage()));
  const QString alias = ScaledAlias(QString::number(number), scale);
  for (const QString& path : {QStringLiteral(":/%1/%2/%3").arg(language, type, alias),
                              QStringLiteral(":/%1/%2").arg(type, alias)}) {
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) return file.readAll();
  }
  return std::nullopt;
}

}  // namespace app
