#include "app/core/Resources.h"

#include <QFile>

namespace app {

QString ResourcePath(const QString& type, int number) {
  return QStringLiteral(":/%1/%2").arg(type).arg(number);
}

std::optional<QByteArray> LoadResource(const QString& type, int number) {
  QFile file(ResourcePath(type, number));
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  return file.readAll();
}

}  // namespace app
