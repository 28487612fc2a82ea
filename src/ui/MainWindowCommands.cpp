// The main window's commands: the actions and their handlers, the picture buttons and the
// Alt keys that trigger them, the link hold, Test, Quit and the save question.

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPlainTextEdit>

#include "actions/SaveQuestion.h"
#include "app/core/Global.h"
#include "app/core/Texts.h"
#include "ui/Commands.h"
#include "ui/MainWindow.h"
#include "ui/PictureButtons.h"

namespace ui {

namespace {
// The grid key that each edit command hands to the grid key handler of the current list.
struct EditKey {
  Command command;
  int key;
  Qt::KeyboardModifiers modifiers;
};
constexpr EditKey kEditKeys[] = {{Command::Delete, Qt::Key_Delete, Qt::NoModifier},
                                 {Command::Copy, Qt::Key_C, Qt::ControlModifier},
                                 {Command::Cut, Qt::Key_X, Qt::ControlModifier},
                                 {Command::Paste, Qt::Key_V, Qt::ControlModifier},
                                 {Command::Undo, Qt::Key_Z, Qt::ControlModifier}};
}  // namespace

void TMainForm::MakeCommands() {
  Commands = new MainCommands(this);
  for (const EditKey& edit : kEditKeys)
    Commands->SetHandler(edit.command, [this, edit] { ToDoListKeyDown(edit.key, edit.modifiers); });
  Commands->SetHandler(Command::Go, [this] { Go(); });
  Commands->SetHandler(Command::View, [this] { ViewButtonClick(); });
  Commands->SetHandler(Command::Clear, [this] { Clear(); });
  Commands->SetHandler(Command::Test, [this] { Test(); });
  Commands->SetHandler(Command::Open, [this] { LoadFile(); });
  Commands->SetHandler(Command::Save, [this] { SaveFile(); });
  Commands->SetHandler(Command::Quit, [this] { Quit(); });
  for (const PictureButton& button : kPictureButtons)
    Commands->SetAllowed(button.Action, button.StartsEnabled);
  Commands->ApplyShortcutLetters(app::Global().ShortcutLetters);
  // The pictures follow the actions: a disabled action's button shows its cover.
  connect(Commands, &MainCommands::enabledChanged, this, [this](Command command, bool enabled) {
    if (const int tag = ButtonTagOf(command)) ShowCover(tag, enabled);
  });
}

// --- buttons ---

bool TMainForm::ButtonEnabled(int tag) const {
  return Commands->Enabled(ButtonOf(tag).Action);
}

void TMainForm::SetButtonEnabled(int tag, bool enabled) {
  Commands->SetAllowed(ButtonOf(tag).Action, enabled);
}

void TMainForm::ShowCover(int tag, bool enabled) {
  if (app::PictureSlot* cover = Pictures[ButtonOf(tag).Cover]) cover->setVisible(!enabled);
}

void TMainForm::SetLinkBusy(bool busy) {
  Commands->SetLinkBusy(busy);
  if (!busy && !quitting_) AutoEnableDisable();
}

bool TMainForm::LinkBusy() const {
  return Commands->LinkBusy();
}

void TMainForm::ButtonClick(app::PictureSlot* slot) {
  const int tag = slot->tag();
  if (!IsButtonTag(tag)) return;
  const PictureButton& button = ButtonOf(tag);
  // Every command starts by letting go of its pressed look.
  Pictures[button.Pressed]->hide();
  Pictures[button.Highlight]->hide();
  if (!Commands->Enabled(button.Action)) return;
  Commands->Action(button.Action)->trigger();
  // The edit commands refresh the states themselves, through the grid key handler.
  if (!button.IsEditButton() && !quitting_) AutoEnableDisable();
}

// --- keyboard ---

void TMainForm::keyPressEvent(QKeyEvent* event) {
  if ((event->modifiers() & Qt::AltModifier) && AltShortcut(event->key())) {
    event->accept();
    return;
  }
  QWidget::keyPressEvent(event);
}

bool TMainForm::AltShortcut(int keyCode) {
  // Tests and the language choice may change the letters after the window was made.
  Commands->ApplyShortcutLetters(app::Global().ShortcutLetters);
  const Command command = Commands->CommandForAltKey(keyCode);
  if (command == Command::None) return false;
  Commands->Run(command);
  return true;
}

// --- commands ---

void TMainForm::Test() {
  Pictures[ButtonOf(kTestButton).Pressed]->hide();
  testWindowOpen_ = true;
  // Not held like a notice: it stands for as long as the test window is open.
  const QString testing = app::LoadText(kTestRunningText);
  if (HelpMemo->toPlainText() != testing) HelpMemo->setPlainText(testing);
  if (ShowTestWindow) ShowTestWindow();
}

void TMainForm::TestWindowClosed() {
  if (!testWindowOpen_) return;
  testWindowOpen_ = false;
  if (HelpMemo->toPlainText() == app::LoadText(kTestRunningText)) ShowHelpText(kBlankHelpText);
}

void TMainForm::Quit() {
  if (quitting_) return;
  if (CheckIfSaved() == QMessageBox::Cancel) return;
  if (Pictures[ButtonOf(kQuitButton).Pressed] != nullptr) Pictures[ButtonOf(kQuitButton).Pressed]->hide();
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  SaveSettings();
  quitting_ = true;
  emit applicationEnded();
  if (EndApplication) EndApplication();
}

void TMainForm::closeEvent(QCloseEvent* event) {
  // A close request from the window system is the Quit command, which waits for the link.
  if (LinkBusy() && !quitting_) {
    event->ignore();
    return;
  }
  if (!quitting_) Quit();
  if (quitting_)
    event->accept();
  else
    event->ignore();
}

QMessageBox::StandardButton TMainForm::CheckIfSaved() {
  const auto ask = [this](const actions::UiMessage& question) {
    QApplication::beep();
    const QMessageBox::StandardButton answer =
        AskSaveQuestion ? AskSaveQuestion(app::LoadText(question.TextNumber)) : QMessageBox::Cancel;
    return answer == QMessageBox::Yes  ? actions::SaveAnswer::Yes
           : answer == QMessageBox::No ? actions::SaveAnswer::No
                                       : actions::SaveAnswer::Cancel;
  };
  const actions::SaveAnswer answer = actions::CheckIfSaved(IsModified(), ask, [this] {
    SaveFile();
    return !IsModified();
  });
  switch (answer) {
    case actions::SaveAnswer::Yes:
      return QMessageBox::Yes;
    case actions::SaveAnswer::No:
      return QMessageBox::No;
    case actions::SaveAnswer::Cancel:
      break;
  }
  return QMessageBox::Cancel;
}

}  // namespace ui
