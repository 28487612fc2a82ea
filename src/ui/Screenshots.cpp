#include "ui/Screenshots.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QPixmap>

#include "app/IntroForm.h"
#include "ui/MainWindow.h"
#include "ui/Startup.h"

namespace ui {

namespace {
void Settle() {
  for (int i = 0; i < 5; ++i) QApplication::processEvents();
}

// The window as the user sees it: its contents cut to the window's outline.
QPixmap Picture(QWidget* window) {
  QPixmap contents = window->grab();
  auto* main = qobject_cast<TMainForm*>(window);
  if (main == nullptr || main->windowRegion().isEmpty()) return contents;
  QPixmap shaped(contents.size());
  shaped.setDevicePixelRatio(contents.devicePixelRatio());  // a high-density screen's picture
  shaped.fill(Qt::transparent);
  QPainter painter(&shaped);
  painter.setClipRegion(main->windowRegion());
  painter.drawPixmap(0, 0, contents);
  return shaped;
}
}  // namespace

bool TakeScreenshots(Windows& windows, const QString& folder, bool advanced) {
  QDir().mkpath(folder);
  const QDir dir(folder);
  bool ok = true;
  windows.IntroForm->show();
  Settle();
  ok &= Picture(windows.IntroForm.get()).save(dir.filePath(QStringLiteral("intro.png")));
  if (advanced)
    windows.IntroForm->AdvancedButtonClick();
  else
    windows.IntroForm->BeginnerButtonClick();
  Settle();
  const QString name = advanced ? QStringLiteral("main-advanced.png") : QStringLiteral("main-beginner.png");
  ok &= Picture(windows.MainForm.get()).save(dir.filePath(name));
  return ok;
}

}  // namespace ui
