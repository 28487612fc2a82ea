// Writes a picture of the whole X screen to the file named on the command line; the scripted
// sessions use it for their screenshots.
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

int main(int argc, char** argv) {
  QGuiApplication application(argc, argv);
  if (argc < 2) return 2;
  QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return 1;
  return screen->grabWindow(0).save(QString::fromLocal8Bit(argv[1]), "PNG") ? 0 : 1;
}
