// The commands as actions: the shortcut letters (first position wins a letter), the link hold
// and the buttons that follow their actions.

#include <gtest/gtest.h>

#include <QAction>
#include <QKeySequence>
#include <QPlainTextEdit>
#include <QTest>

#include "QtEnvironment.h"
#include "app/core/Global.h"
#include "app/core/Texts.h"
#include "ui/Commands.h"
#include "ui/MainWindow.h"
#include "ui/PictureButtons.h"

namespace {

using ui::Command;

TEST(Commands, EachActionGetsItsLetterUnlessAnEarlierCommandHasIt) {
  const struct {
    const char* letters;
    const char* shortcuts;  // per command in letter order; '-' for none
  } cases[] = {
      // The shipped Spanish set: O and G come twice, so Test and Save have no key.
      {"ICOGDEVLOAGS", "ICOGDEVL-A-S"},
      {"DCTPUGVRELSQ", "DCTPUGVRELSQ"},
      {"DCT", "DCT---------"},  // a short set leaves the rest without keys
  };
  ui::MainCommands commands;
  for (const auto& c : cases) {
    commands.ApplyShortcutLetters(QString::fromLatin1(c.letters));
    for (int i = 0; i < ui::kCommandCount; ++i) {
      const Command command = ui::kAllCommands[std::size_t(i)];
      const QKeySequence shortcut = commands.Action(command)->shortcut();
      if (c.shortcuts[i] == '-') {
        EXPECT_TRUE(shortcut.isEmpty()) << c.letters << " position " << i + 1;
        continue;
      }
      EXPECT_EQ(shortcut, QKeySequence(QStringLiteral("Alt+") + QChar(c.shortcuts[i])))
          << c.letters << " " << i;
      EXPECT_EQ(commands.CommandForAltKey(c.shortcuts[i]), command) << c.letters << " " << i;
    }
  }
  commands.ApplyShortcutLetters(QStringLiteral("ICOGDEVLOAGS"));
  EXPECT_EQ(commands.CommandForAltKey(Qt::Key_O), Command::Cut);
  EXPECT_EQ(commands.CommandForAltKey(Qt::Key_G), Command::Paste);
  EXPECT_EQ(commands.CommandForAltKey(Qt::Key_X), Command::None);
}

TEST(Commands, TheLinkHoldsOffOnlyTheCommandsThatWouldDisturbIt) {
  ui::MainCommands commands;
  QStringList ran;
  for (Command command : ui::kAllCommands) {
    commands.SetHandler(command, [&ran, command] { ran << QString::number(int(command)); });
    commands.SetAllowed(command, true);
  }
  commands.SetAllowed(Command::Save, false);
  commands.SetLinkBusy(true);
  for (Command command : ui::kAllCommands) {
    SCOPED_TRACE(int(command));
    const bool held = command == Command::Go || command == Command::Test || command == Command::Open ||
                      command == Command::Clear || command == Command::Quit;
    EXPECT_EQ(commands.Enabled(command), !held && command != Command::Save);
    ran.clear();
    EXPECT_EQ(commands.Run(command), !held);
    EXPECT_EQ(ran.size(), held ? 0 : 1) << "a key runs a command whose button is disabled, unless held";
    commands.Action(command)->trigger();
    EXPECT_EQ(ran.size(), (held ? 0 : 1) + (commands.Enabled(command) ? 1 : 0))
        << "a disabled action does not run";
  }
  commands.SetLinkBusy(false);
  EXPECT_TRUE(commands.Enabled(Command::Go)) << "back to what the lists allow";
  EXPECT_FALSE(commands.Enabled(Command::Save));
}

// The main window with its commands recording what they were asked to do.
class RecordingForm : public ui::TMainForm {
 public:
  RecordingForm() {
    EndApplication = [] {};
    ShowTestWindow = [this] { calls << "Test"; };
  }
  void Go() override { calls << "Go"; }
  void ViewButtonClick() override { calls << "View"; }
  void Clear() override { calls << "Clear"; }
  void LoadFile() override { calls << "Open"; }
  void SaveFile() override { calls << "Save"; }
  void ToDoListKeyDown(int key, Qt::KeyboardModifiers modifiers) override {
    calls << ((modifiers & Qt::ControlModifier) ? "Ctrl+" : "") + QKeySequence(key).toString();
  }
  QStringList calls;
};

class CommandsWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    uitest::ClearSettings();
    app::Global() = app::StartGlobal();
    form = std::make_unique<RecordingForm>();
    form->show();
  }
  void TearDown() override { app::Global() = app::StartGlobal(); }
  bool CoverShown(int tag) const { return form->Pictures[ui::ButtonOf(tag).Cover]->isVisible(); }
  std::unique_ptr<RecordingForm> form;
};

TEST_F(CommandsWindowTest, TriggeringAnActionRunsItsCommand) {
  const struct {
    Command command;
    const char* call;
  } cases[] = {{Command::Delete, "Del"},   {Command::Copy, "Ctrl+C"}, {Command::Cut, "Ctrl+X"},
               {Command::Paste, "Ctrl+V"}, {Command::Undo, "Ctrl+Z"}, {Command::Go, "Go"},
               {Command::View, "View"},    {Command::Clear, "Clear"}, {Command::Test, "Test"},
               {Command::Open, "Open"},    {Command::Save, "Save"}};
  for (const auto& c : cases) {
    form->calls.clear();
    form->Commands->SetAllowed(c.command, true);
    form->Commands->Action(c.command)->trigger();
    EXPECT_EQ(form->calls, QStringList{c.call}) << int(c.command);
  }
}

TEST_F(CommandsWindowTest, TheButtonsShowTheirActionsState) {
  for (const ui::PictureButton& button : ui::kPictureButtons) {
    SCOPED_TRACE(button.Tag);
    for (bool enabled : {true, false, true}) {
      form->Commands->SetAllowed(button.Action, enabled);
      EXPECT_EQ(form->ButtonEnabled(button.Tag), enabled);
      EXPECT_EQ(CoverShown(button.Tag), !enabled);
    }
  }
}

TEST_F(CommandsWindowTest, WhileTheLinkIsBusyItsCommandsAreCoveredAndTheirKeysDoNothing) {
  for (const ui::PictureButton& button : ui::kPictureButtons) form->SetButtonEnabled(button.Tag, true);
  form->SetLinkBusy(true);
  EXPECT_TRUE(form->LinkBusy());
  for (int tag : {ui::kGoButton, ui::kClearButton, ui::kTestButton, ui::kOpenButton, ui::kQuitButton}) {
    EXPECT_TRUE(CoverShown(tag)) << tag;
    EXPECT_FALSE(form->Commands->Action(ui::ButtonOf(tag).Action)->isEnabled()) << tag;
  }
  EXPECT_FALSE(CoverShown(ui::kSaveButton));
  EXPECT_FALSE(CoverShown(ui::kCopyButton));
  for (Qt::Key key : {Qt::Key_E, Qt::Key_L, Qt::Key_A, Qt::Key_S})
    QTest::keyClick(form.get(), key, Qt::AltModifier);
  EXPECT_TRUE(form->calls.isEmpty()) << form->calls.join(",").toStdString();
  QTest::keyClick(form.get(), Qt::Key_C, Qt::AltModifier);
  EXPECT_EQ(form->calls, QStringList{"Ctrl+C"});
  EXPECT_TRUE(form->isVisible());
  form->close();  // a close request waits for the link as Quit does
  EXPECT_TRUE(form->isVisible());
  form->SetLinkBusy(false);  // the lists say again what may run
  EXPECT_TRUE(form->ButtonEnabled(ui::kTestButton));
  for (const ui::PictureButton& button : ui::kPictureButtons)
    EXPECT_EQ(CoverShown(button.Tag), !form->ButtonEnabled(button.Tag)) << button.Tag;
}

}  // namespace
