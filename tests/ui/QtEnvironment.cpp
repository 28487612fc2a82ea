#include "QtEnvironment.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

#include "app/core/Settings.h"
#include "ui/SerialAdvice.h"

namespace uitest {

namespace {
QTemporaryDir& Folder() {
  static QTemporaryDir folder;
  return folder;
}

class QtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "ui_tests";
    static char* argv[] = {name, nullptr};
    application_ = new QApplication(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, Folder().path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, Folder().path());
    // The groups and services of the machine running the tests must not add messages.
    ui::SetSerialFactsSource([](const QStringList&) { return comm::SerialSystemFacts{}; });
  }
  void TearDown() override {
    delete application_;
    application_ = nullptr;
  }

 private:
  QApplication* application_ = nullptr;
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);
}  // namespace

QString SettingsFolder() { return Folder().path(); }

void ClearSettings() {
  auto store = app::OpenUserSettings();
  store->clear();
  store->sync();
}

}  // namespace uitest
