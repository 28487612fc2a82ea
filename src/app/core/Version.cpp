#include "app/core/Version.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace app {

const char* ProjectVersion() { return ROVALIS_VERSION; }

QString GetVersionText(const QString& file, const QString& key) {
  if (!file.isEmpty() && QCoreApplication::instance() != nullptr &&
      QFileInfo(file).canonicalFilePath() !=
          QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath())
    return {};
  if (key == u"ProductVersion" || key == u"FileVersion") return QString::fromLatin1(ROVALIS_VERSION);
  return {};
}

}  // namespace app
