#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "QtEnvironment.h"
#include "actions/ActionLists.h"
#include "app/IntroForm.h"
#include "app/ShowError.h"
#include "app/core/Global.h"
#include "ui/MainWindow.h"
#include "ui/PortBox.h"
#include "ui/SerialAdvice.h"
#include "ui/Startup.h"

namespace {

class StartWithFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    uitest::ClearSettings();
    app::Global() = app::StartGlobal();
    ASSERT_TRUE(dir_.isValid());
    previousHandler_ = app::SetErrorBoxHandler([this](const QString& text) { errors_ << text; });
    windows_ = ui::MakeWindows();
    windows_->MainForm->EndApplication = [] {};
  }
  void TearDown() override {
    if (windows_->MainForm->isVisible()) windows_->MainForm->Quit();
    windows_.reset();
    app::SetErrorBoxHandler(previousHandler_);
    app::Global() = app::StartGlobal();
  }

  // A file with `steps` forward steps in the main list, saved in the given mode.
  QString SaveList(const char* name, bool advanced, int steps) {
    actions::ActionLists lists;
    lists.AdvancedMode = advanced;
    for (int i = 0; i < steps; ++i) lists.AppendTile(actions::ActionKind::Forward);
    const QString path = dir_.filePath(name);
    EXPECT_EQ(lists.SaveToPath(QFile::encodeName(path).toStdString()), "");
    return path;
  }

  QTemporaryDir dir_;
  QStringList errors_;
  app::ErrorBoxHandler previousHandler_;
  std::unique_ptr<ui::Windows> windows_;
};

TEST_F(StartWithFileTest, TheFileOpensInTheModeItWasSavedIn) {
  const struct {
    bool advanced;
    int steps;
  } cases[] = {{false, 3}, {true, 5}};
  for (const auto& c : cases) {
    TearDown();
    SetUp();
    const QString path = SaveList(c.advanced ? "advanced.rvl" : "beginner.rvl", c.advanced, c.steps);
    EXPECT_TRUE(ui::StartWithFile(*windows_, path));
    EXPECT_TRUE(errors_.isEmpty()) << errors_.join("|").toStdString();
    EXPECT_EQ(app::Global().AdvancedMode, c.advanced);
    EXPECT_FALSE(windows_->IntroForm->isVisible());
    ASSERT_TRUE(windows_->MainForm->isVisible());
    EXPECT_EQ(windows_->MainForm->SensorTabbedNotebook->isVisible(), c.advanced);
    EXPECT_EQ(windows_->MainForm->Lists.StepCount(1), c.steps);
    EXPECT_FALSE(windows_->MainForm->IsModified());
  }
}

TEST_F(StartWithFileTest, ABadFileIsExplainedAndTheNormalStartFollows) {
  const QString garbage = dir_.filePath("garbage.rvl");
  QFile file(garbage);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(QByteArray(9240, 'x'));
  file.close();
  const struct {
    QString path;
    QString error;
  } cases[] = {
      {garbage, "Not proper Rovalis file format."},
      {dir_.filePath("missing.rvl"), dir_.filePath("missing.rvl") + ": No such file."},
  };
  for (const auto& c : cases) {
    errors_.clear();
    EXPECT_FALSE(ui::StartWithFile(*windows_, c.path));
    EXPECT_EQ(errors_, QStringList{c.error});
    EXPECT_FALSE(windows_->MainForm->isVisible());
  }
}

TEST(PortBoxItems, ShowTheAdapterAndKeepThePortName) {
  ui::PortBox box;
  box.SetPorts("AUTO", {"ttyS0", "ttyUSB0"}, {"ttyS0", "ttyUSB0 \u2014 FT232R USB UART (A1B2C3)"});
  ASSERT_EQ(box.count(), 3);
  EXPECT_EQ(box.itemText(2), "ttyUSB0 \u2014 FT232R USB UART (A1B2C3)");
  const struct {
    int index;
    QString port;
  } items[] = {{0, ""}, {1, "ttyS0"}, {2, "ttyUSB0"}, {3, ""}};
  for (const auto& item : items) EXPECT_EQ(box.PortAt(item.index), item.port) << item.index;
  EXPECT_EQ(box.IndexOfPort("ttyUSB0"), 2);
  EXPECT_EQ(box.IndexOfPort("ttyUSB0 \u2014 FT232R USB UART (A1B2C3)"), -1);
  EXPECT_EQ(box.IndexOfPort("AUTO"), -1);
  EXPECT_EQ(box.IndexOfPort(""), -1);
}

}  // namespace

namespace {

TEST(SerialAdvice, EachTroubleIsToldOncePerRunFromTheFactsGiven) {
  QStringList asked;
  const auto previous = ui::SetSerialFactsSource([&asked](const QStringList& ports) {
    asked = ports;
    comm::SerialSystemFacts facts;
    facts.Groups = {"ana", {"ana"}, {"ana"}};
    facts.Devices = {{"/dev/ttyUSB0", "advicetestgroup", false}};
    return facts;
  });
  QStringList shown;
  for (int run = 0; run < 2; ++run)
    ui::AdviseOnSerialTrouble({"ttyUSB0"}, [&shown](const QString& text) { shown << text; });
  ui::SetSerialFactsSource(previous);
  EXPECT_EQ(asked, QStringList{"ttyUSB0"});
  ASSERT_EQ(shown.size(), 1);
  EXPECT_TRUE(shown[0].contains("sudo usermod -a -G advicetestgroup ana")) << shown[0].toStdString();
}

}  // namespace

namespace {

TEST(SerialAdvice, AUsbPortTakenAwayRightAfterItAppearedIsTold) {
  const auto previous =
      ui::SetSerialFactsSource([](const QStringList&) { return comm::SerialSystemFacts{}; });
  QStringList shown;
  const auto show = [&shown](const QString& text) { shown << text; };
  ui::NotePorts({"ttyS0"});
  ui::NotePorts({"ttyS0", "ttyUSB7"});
  ui::AdviseOnSerialTrouble({"ttyS0", "ttyUSB7"}, show);
  EXPECT_TRUE(shown.isEmpty());
  ui::NotePorts({"ttyS0"});
  ui::AdviseOnSerialTrouble({"ttyS0"}, show);
  ui::SetSerialFactsSource(previous);
  ASSERT_EQ(shown.size(), 1);
  EXPECT_TRUE(shown[0].contains("ttyUSB7")) << shown[0].toStdString();
}

}  // namespace
