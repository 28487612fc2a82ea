#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTest>

#include "QtEnvironment.h"
#include "app/core/Global.h"
#include "app/core/Settings.h"
#include "app/core/Texts.h"
#include "ui/MainWindow.h"
#include "ui/PictureButtons.h"
#include "ui/PortBox.h"

namespace {

using ui::ButtonOf;

// The main window with its seams recording what they were asked to do.
class ProbeMainForm : public ui::TMainForm {
 public:
  ProbeMainForm() {
    AskSaveQuestion = [this](const QString& text) {
      questions << text;
      return answer;
    };
    EndApplication = [this] { ended = true; };
    ShowTestWindow = [this] { calls << "TestWindow"; };
    ListPorts = [this] { return ports; };
  }
  void Go() override { calls << "Go"; }
  void ViewButtonClick() override { calls << "View"; }
  void Clear() override { calls << "Clear"; }
  void LoadFile() override { calls << "Open"; }
  void SaveFile() override {
    calls << "Save";
    if (!SaveHook || SaveHook()) SetModified(false);
  }
  std::function<bool()> SaveHook;  // false: the save dialog was cancelled
  void ToDoListKeyDown(int key, Qt::KeyboardModifiers modifiers) override {
    const QString ctrl = (modifiers & Qt::ControlModifier) ? "Ctrl+" : "";
    calls << ctrl + QKeySequence(key).toString();
  }

  QStringList calls;
  QStringList questions;
  QStringList ports;
  QMessageBox::StandardButton answer = QMessageBox::Cancel;
  bool ended = false;
};

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    uitest::ClearSettings();
    app::Global() = app::StartGlobal();
  }
  void TearDown() override { app::Global() = app::StartGlobal(); }

  std::unique_ptr<ProbeMainForm> Show(bool advanced, QStringList ports = {}) {
    app::Global().AdvancedMode = advanced;
    auto form = std::make_unique<ProbeMainForm>();
    form->ports = ports;
    form->show();
    return form;
  }

  static QPoint Centre(const app::PictureSlot* slot) { return slot->geometry().center(); }

  // A mouse move without buttons, delivered to `target` as the window system would.
  static void Hover(QWidget* target, QPoint local) {
    const QPointF global = target->mapToGlobal(QPointF(local));
    QMouseEvent move(QEvent::MouseMove, QPointF(local), QPointF(local), global, Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(target, &move);
  }

  static void SendMouse(QWidget* target, QEvent::Type type, QPoint globalPos, Qt::MouseButton button,
                        Qt::MouseButtons buttons) {
    const QPointF local = target->mapFromGlobal(globalPos);
    QMouseEvent event(type, local, local, globalPos, button, buttons, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
  }
};

TEST_F(MainWindowTest, BeginnerStartStatesOfTheElevenButtons) {
  auto form = Show(false);
  for (const ui::PictureButton& button : ui::kPictureButtons) {
    EXPECT_EQ(form->ButtonEnabled(button.Tag), button.StartsEnabled) << button.Tag;
    EXPECT_TRUE(form->Pictures[button.Normal]->isVisible()) << button.Tag;
    EXPECT_FALSE(form->Pictures[button.Highlight]->isVisible()) << button.Tag;
    EXPECT_FALSE(form->Pictures[button.Pressed]->isVisible()) << button.Tag;
  }
  EXPECT_TRUE(form->ButtonEnabled(ui::kTestButton));
  EXPECT_TRUE(form->ButtonEnabled(ui::kOpenButton));
  EXPECT_TRUE(form->ButtonEnabled(ui::kQuitButton));
}

TEST_F(MainWindowTest, EachModeShowsItsOwnControlsAndSize) {
  {
    auto form = Show(false);
    EXPECT_EQ(form->width(), 534);
    EXPECT_TRUE(form->SensorsEnabled->isVisible());
    EXPECT_FALSE(form->SensorTabbedNotebook->isVisible());
    EXPECT_FALSE(form->SensorActionPanel->isVisible());
    EXPECT_FALSE(form->Pictures[6]->isVisible());
    EXPECT_FALSE(form->Pictures[13]->isVisible());
    EXPECT_TRUE(form->Pictures[12]->isVisible());
    EXPECT_EQ(form->HyperHelp->text(), "Ayuda habilitada");
    EXPECT_EQ(form->SerialPortLabel1->text(), "Puerto serie");
    EXPECT_EQ(form->SerialPortLabel2->text(), "del PC");
    EXPECT_EQ(form->SensorsEnabled->text(), "Sensores habilitados");
    EXPECT_EQ(form->COMPortComboBox->itemText(0), "AUTO");
    EXPECT_EQ(form->HelpMemo->toPlainText(), app::LoadText(430));
  }
  {
    auto form = Show(true);
    EXPECT_EQ(form->width(), 807);
    EXPECT_FALSE(form->SensorsEnabled->isVisible());
    EXPECT_TRUE(form->SensorTabbedNotebook->isVisible());
    EXPECT_TRUE(form->SensorActionPanel->isVisible());
    EXPECT_EQ(form->SensorTabbedNotebook->geometry(), QRect(460, 103, 201, 226));
    const char* tabs[] = {"Todos", "Set1", "Set2", "Set3", "Set4"};
    for (int t = 0; t < 5; ++t) EXPECT_EQ(form->SensorTabs->tabText(t), tabs[t]);
    EXPECT_EQ(form->HelpMemo->geometry(), QRect(16, 444, 771, 34));
  }
}

TEST_F(MainWindowTest, HelpPanelRollsUpAndUnrolls) {
  const struct {
    bool advanced;
    int goBottom;  // top + height of the Go button
    int memoHeight;
  } cases[] = {{false, 429 + 39, 49}, {true, 392 + 39, 34}};
  for (const auto& c : cases) {
    auto form = Show(c.advanced);
    const int strip = form->Pictures[2]->height();
    const int open = c.goBottom + 15 + c.memoHeight + 15;
    EXPECT_EQ(form->height(), open);
    EXPECT_EQ(form->windowRegion().boundingRect().height(), open);
    EXPECT_EQ(form->Pictures[2]->y(), open - strip - 1);

    form->HyperHelp->click();
    EXPECT_FALSE(form->HelpMemo->isVisible());
    EXPECT_EQ(form->height(), c.goBottom + 15 + strip);
    EXPECT_EQ(form->windowRegion().boundingRect().height(), c.goBottom + 4 + strip);
    EXPECT_EQ(form->Pictures[2]->y(), c.goBottom + 4);
    EXPECT_EQ(form->Pictures[4]->y(), c.goBottom + 4);

    form->HyperHelp->click();
    EXPECT_TRUE(form->HelpMemo->isVisible());
    EXPECT_EQ(form->height(), open);
    EXPECT_EQ(form->windowRegion().boundingRect().height(), open);
    EXPECT_EQ(form->HelpMemo->toPlainText(), " ");
  }
}

TEST_F(MainWindowTest, QuitAsksOnlyWithUnsavedChangesAndStoresSettingsWhenItQuits) {
  const struct {
    bool modified;
    QMessageBox::StandardButton answer;
    bool asked, saved, ended;
  } cases[] = {
      {false, QMessageBox::Cancel, false, false, true},
      {true, QMessageBox::Yes, true, true, true},
      {true, QMessageBox::No, true, false, true},
      {true, QMessageBox::Cancel, true, false, false},
  };
  // ProbeMainForm's save always succeeds; a cancelled or failed save is covered below.
  for (const auto& c : cases) {
    uitest::ClearSettings();
    auto form = Show(false);
    form->SetModified(c.modified);
    form->answer = c.answer;
    form->HyperHelp->click();  // off, so that the stored value differs from the default
    form->Quit();
    EXPECT_EQ(!form->questions.isEmpty(), c.asked) << c.answer;
    if (c.asked) {
      EXPECT_EQ(form->questions.front(), app::LoadText(427));
    }
    EXPECT_EQ(form->calls.contains("Save"), c.saved) << c.answer;
    EXPECT_EQ(form->ended, c.ended) << c.answer;
    auto store = app::OpenUserSettings();
    EXPECT_EQ(store->contains("1.0/HyperHelp"), c.ended) << c.answer;
    if (c.ended) {
      EXPECT_EQ(store->value("1.0/HyperHelp").toInt(), 0);
      EXPECT_EQ(store->value("1.0/ComPort").toString(), "AUTO");
      EXPECT_EQ(store->value("1.0/LeftServoCenter").toInt(), 100);
    }
  }
}

TEST_F(MainWindowTest, YesWhoseSaveDoesNotHappenKeepsTheWindowOpen) {
  auto form = Show(false);
  form->SetModified(true);
  form->answer = QMessageBox::Yes;
  bool saveSucceeds = false;
  form->SaveHook = [&] { return saveSucceeds; };
  form->Quit();
  EXPECT_TRUE(form->calls.contains("Save"));
  EXPECT_FALSE(form->ended);
  EXPECT_FALSE(app::OpenUserSettings()->contains("1.0/HyperHelp"));
  saveSucceeds = true;
  form->Quit();
  EXPECT_TRUE(form->ended);
}

TEST_F(MainWindowTest, ACloseRequestActsAsQuit) {
  auto form = Show(false);
  form->SetModified(true);
  form->answer = QMessageBox::Cancel;
  form->close();
  EXPECT_TRUE(form->isVisible());
  EXPECT_FALSE(form->ended);
  form->answer = QMessageBox::No;
  form->close();
  EXPECT_FALSE(form->isVisible());
  EXPECT_TRUE(form->ended);
}

TEST_F(MainWindowTest, ADisabledButtonsCoverSwallowsTheClickButTheKeyStillWorks) {
  auto form = Show(false);
  ASSERT_FALSE(form->ButtonEnabled(ui::kDeleteButton));
  // The mouse goes to the topmost visible widget under it, as the window system routes it.
  const QPoint deleteButton = Centre(form->Pictures[ButtonOf(ui::kDeleteButton).Normal]);
  QWidget* target = form->childAt(deleteButton);
  EXPECT_EQ(target, form->Pictures[ButtonOf(ui::kDeleteButton).Cover]);
  Hover(target, QPoint(5, 5));
  QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_TRUE(form->calls.isEmpty()) << form->calls.join(",").toStdString();
  EXPECT_FALSE(form->Pictures[ButtonOf(ui::kDeleteButton).Highlight]->isVisible());

  QTest::keyClick(form.get(), Qt::Key_I, Qt::AltModifier);
  EXPECT_EQ(form->calls, QStringList{"Del"});

  // Once enabled, hovering shows the highlight, which then takes the click.
  form->calls.clear();
  form->SetButtonEnabled(ui::kDeleteButton, true);
  target = form->childAt(deleteButton);
  ASSERT_EQ(target, form->Pictures[ButtonOf(ui::kDeleteButton).Normal]);
  Hover(target, QPoint(5, 5));
  EXPECT_TRUE(form->Pictures[ButtonOf(ui::kDeleteButton).Highlight]->isVisible());
  EXPECT_EQ(form->HelpMemo->toPlainText(), app::LoadText(450));
  target = form->childAt(deleteButton);
  ASSERT_EQ(target, form->Pictures[ButtonOf(ui::kDeleteButton).Highlight]);
  QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(form->calls, QStringList{"Del"});
  EXPECT_FALSE(form->Pictures[ButtonOf(ui::kDeleteButton).Pressed]->isVisible());
}

TEST_F(MainWindowTest, EveryButtonRunsItsCommand) {
  const struct {
    int tag;
    const char* call;
  } cases[] = {
      {ui::kGoButton, "Go"},       {ui::kClearButton, "Clear"},   {ui::kTestButton, "TestWindow"},
      {ui::kOpenButton, "Open"},   {ui::kSaveButton, "Save"},     {ui::kDeleteButton, "Del"},
      {ui::kCopyButton, "Ctrl+C"}, {ui::kCutButton, "Ctrl+X"},    {ui::kPasteButton, "Ctrl+V"},
      {ui::kUndoButton, "Ctrl+Z"},
  };
  auto form = Show(false);
  for (const auto& c : cases) {
    form->calls.clear();
    form->SetButtonEnabled(c.tag, true);
    app::PictureSlot* highlight = form->Pictures[ButtonOf(c.tag).Highlight];
    form->ButtonMouseMove(form->Pictures[ButtonOf(c.tag).Normal]);
    ASSERT_TRUE(highlight->isVisible()) << c.tag;
    EXPECT_EQ(form->HelpMemo->toPlainText(), app::LoadText(ButtonOf(c.tag).HelpText)) << c.tag;
    QTest::mousePress(highlight, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(form->Pictures[ButtonOf(c.tag).Pressed]->isVisible()) << c.tag;
    QTest::mouseRelease(highlight, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(form->calls, QStringList{c.call}) << c.tag;
    EXPECT_FALSE(form->Pictures[ButtonOf(c.tag).Pressed]->isVisible()) << c.tag;
  }
}

TEST_F(MainWindowTest, AltShortcutsFollowThisBuildsLetters) {
  const struct {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char* call;  // empty: nothing happens
  } cases[] = {
      {Qt::Key_I, Qt::AltModifier, "Del"},     {Qt::Key_C, Qt::AltModifier, "Ctrl+C"},
      {Qt::Key_O, Qt::AltModifier, "Ctrl+X"},  {Qt::Key_G, Qt::AltModifier, "Ctrl+V"},
      {Qt::Key_D, Qt::AltModifier, "Ctrl+Z"},  {Qt::Key_E, Qt::AltModifier, "Go"},
      {Qt::Key_V, Qt::AltModifier, "View"},    {Qt::Key_L, Qt::AltModifier, "Clear"},
      {Qt::Key_A, Qt::AltModifier, "Open"},    {Qt::Key_X, Qt::AltModifier, ""},
      {Qt::Key_E, Qt::NoModifier, ""},         {Qt::Key_A, Qt::ControlModifier, ""},
      {Qt::Key_O, Qt::AltModifier | Qt::ShiftModifier, "Ctrl+X"},
  };
  auto form = Show(false);
  for (const auto& c : cases) {
    form->calls.clear();
    QTest::keyClick(form.get(), c.key, c.modifiers);
    EXPECT_EQ(form->calls.join(","), c.call) << QKeySequence(c.key).toString().toStdString();
  }
  EXPECT_FALSE(form->ended);
  QTest::keyClick(form.get(), Qt::Key_S, Qt::AltModifier);  // Quit
  EXPECT_TRUE(form->ended);
}

TEST_F(MainWindowTest, DraggingTheBackgroundMovesTheWindowButNotAButton) {
  auto form = Show(false);
  const QPoint start = form->pos();
  app::PictureSlot* background = form->Pictures[1];
  const QPoint grab = form->mapToGlobal(QPoint(300, 8));
  SendMouse(background, QEvent::MouseButtonPress, grab, Qt::LeftButton, Qt::LeftButton);
  SendMouse(background, QEvent::MouseMove, grab + QPoint(10, 5), Qt::NoButton, Qt::LeftButton);
  SendMouse(background, QEvent::MouseMove, grab + QPoint(30, 20), Qt::NoButton, Qt::LeftButton);
  SendMouse(background, QEvent::MouseButtonRelease, grab + QPoint(30, 20), Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(form->pos(), start + QPoint(30, 20));

  const QPoint moved = form->pos();
  app::PictureSlot* quitHighlight = form->Pictures[ButtonOf(ui::kQuitButton).Highlight];
  form->ButtonMouseMove(form->Pictures[ButtonOf(ui::kQuitButton).Normal]);
  const QPoint onButton = quitHighlight->mapToGlobal(QPoint(5, 5));
  SendMouse(quitHighlight, QEvent::MouseButtonPress, onButton, Qt::LeftButton, Qt::LeftButton);
  SendMouse(quitHighlight, QEvent::MouseMove, onButton + QPoint(40, 40), Qt::NoButton, Qt::LeftButton);
  EXPECT_EQ(form->pos(), moved);
}

TEST_F(MainWindowTest, SettingsAreAppliedAtShow) {
  const struct {
    QVariant help;
    const char* port;
    QStringList ports;
    bool helpOn;
    const char* selected;
  } cases[] = {
      {QVariant(), nullptr, {"ttyUSB0"}, true, "AUTO"},
      {0, "ttyUSB1", {"ttyUSB0", "ttyUSB1"}, false, "ttyUSB1"},
      {1, "ttyUSB1", {"ttyUSB0"}, true, "AUTO"},
  };
  for (const auto& c : cases) {
    uitest::ClearSettings();
    {
      auto store = app::OpenUserSettings();
      if (c.help.isValid()) store->setValue("1.0/HyperHelp", c.help);
      if (c.port != nullptr) store->setValue("1.0/ComPort", c.port);
      store->setValue("1.0/LastDirectory", "/tmp/robots");
    }
    app::Global().SelectedPort = "AUTO";
    auto form = Show(false, c.ports);
    EXPECT_EQ(form->HyperHelp->isChecked(), c.helpOn);
    EXPECT_EQ(form->HelpMemo->isVisible(), c.helpOn);
    EXPECT_EQ(app::Global().SelectedPort, c.selected);
    EXPECT_EQ(form->COMPortComboBox->currentText(), c.selected);
    EXPECT_EQ(form->COMPortComboBox->count(), c.ports.size() + 1);
    EXPECT_EQ(form->OpenDialogFolder(), "/tmp/robots");
  }
}

TEST_F(MainWindowTest, PortBoxRefreshesOnDropDownAndSetsTheSelectedPort) {
  auto form = Show(false, {"ttyUSB0"});
  form->ports = {"ttyUSB0", "ttyACM0"};
  form->COMPortComboBoxUpdate();
  ASSERT_EQ(form->COMPortComboBox->count(), 3);
  form->COMPortComboBox->setCurrentIndex(2);
  form->ComChange();
  EXPECT_EQ(app::Global().SelectedPort, "ttyACM0");
  form->COMPortComboBox->setCurrentIndex(0);
  form->ComChange();
  EXPECT_EQ(app::Global().SelectedPort, "AUTO");
}

TEST_F(MainWindowTest, SensorsCheckBoxEnablesThePlusTileAndHelpFollowsTheMouse) {
  auto form = Show(false);
  form->SensorsEnabled->click();
  EXPECT_TRUE(form->SensorActionPanel->isEnabled());
  form->SensorsEnabled->click();
  EXPECT_FALSE(form->SensorActionPanel->isEnabled());

  const struct {
    QWidget* widget;
    int text;
  } cases[] = {{form->HyperHelp, 441}, {form->SensorsEnabled, 440}};
  for (const auto& c : cases) {
    Hover(c.widget, QPoint(2, 2));
    EXPECT_EQ(form->HelpMemo->toPlainText(), app::LoadText(c.text)) << c.text;
  }
  // Over the background the help goes blank and button highlights go away.
  form->ButtonMouseMove(form->Pictures[ButtonOf(ui::kTestButton).Normal]);
  Hover(form->Pictures[1], QPoint(300, 5));
  EXPECT_EQ(form->HelpMemo->toPlainText(), " ");
  EXPECT_FALSE(form->Pictures[ButtonOf(ui::kTestButton).Highlight]->isVisible());
}

TEST_F(MainWindowTest, AdvancedHelpForThePlusTileAndTheSensorTabs) {
  auto form = Show(true);
  const struct {
    QWidget* widget;
    int tab;
    int text;
  } cases[] = {{form->SensorActionPanel, 0, 443}, {form->SensorTabs, 0, 438}, {form->SensorTabs, 2, 439}};
  for (const auto& c : cases) {
    form->SensorTabs->setCurrentIndex(c.tab);
    Hover(form->Pictures[1], QPoint(300, 5));
    Hover(c.widget, QPoint(3, 3));
    EXPECT_EQ(form->HelpMemo->toPlainText(), app::LoadText(c.text)) << c.text;
  }
}

}  // namespace
