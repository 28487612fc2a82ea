#include <QApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Rovalis");
  QWidget intro;
  intro.setWindowTitle("Rovalis v1.3 - Elija un modo");
  auto* layout = new QHBoxLayout(&intro);
  auto* beginner = new QPushButton("Principiante");
  auto* advanced = new QPushButton("Avanzado");
  layout->addWidget(beginner);
  layout->addWidget(advanced);
  intro.show();
  return app.exec();
}
