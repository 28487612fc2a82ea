// Writes a picture of the X screen to the file named on the command line; with x y width height
// after it, only that rectangle. The scripted sessions use it for their screenshots.
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <cstdlib>

int main(int argc, char** argv) {
  QGuiApplication application(argc, argv);
  if (argc != 2 && argc != 6) return 2;
  QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return 1;
  const QPixmap picture = argc == 6 ? screen->grabWindow(0, std::atoi(argv[2]), std::atoi(argv[3]),
                                                          std::atoi(argv[4]), std::atoi(argv[5]))
                                    : screen->grabWindow(0);
  return picture.save(QString::fromLocal8Bit(argv[1]), "PNG") ? 0 : 1;
}
