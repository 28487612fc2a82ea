#include "ui/Commands.h"

#include <QAction>
#include <QKeySequence>

namespace ui {

namespace {
constexpr std::array<const char*, kCommandCount> kActionNames = {
    "DeleteCommand", "CopyCommand",  "CutCommand",  "PasteCommand", "UndoCommand", "GoCommand",
    "ViewCommand",   "ClearCommand", "TestCommand", "OpenCommand",  "SaveCommand", "QuitCommand"};
}  // namespace

MainCommands::MainCommands(QObject* parent) : QObject(parent) {
  for (Command command : kAllCommands) {
    auto* action = new QAction(this);
    action->setObjectName(QString::fromLatin1(kActionNames[Index(command)]));
    // The actions are not added to a widget: the window reads the Alt keys itself, because
    // the first position with a letter wins it where Qt would call the letter ambiguous.
    actions_[Index(command)] = action;
    allowed_[Index(command)] = true;
    connect(action, &QAction::triggered, this, [this, command] { Run(command); });
    connect(action, &QAction::enabledChanged, this,
            [this, command](bool enabled) { emit enabledChanged(command, enabled); });
  }
}

QAction* MainCommands::Action(Command command) const {
  return command == Command::None ? nullptr : actions_[Index(command)];
}

void MainCommands::SetHandler(Command command, std::function<void()> handler) {
  if (command != Command::None) handlers_[Index(command)] = std::move(handler);
}

void MainCommands::SetAllowed(Command command, bool allowed) {
  if (command == Command::None) return;
  allowed_[Index(command)] = allowed;
  Refresh(command);
}

bool MainCommands::Enabled(Command command) const {
  return command != Command::None && actions_[Index(command)]->isEnabled();
}

bool MainCommands::HeldWhileLinkBusy(Command command) {
  return command == Command::Go || command == Command::Test || command == Command::Open ||
         command == Command::Clear || command == Command::Quit;
}

void MainCommands::SetLinkBusy(bool busy) {
  linkBusy_ = busy;
  for (Command command : kAllCommands) Refresh(command);
}

void MainCommands::Refresh(Command command) {
  const bool held = linkBusy_ && HeldWhileLinkBusy(command);
  actions_[Index(command)]->setEnabled(allowed_[Index(command)] && !held);
}

void MainCommands::ApplyShortcutLetters(const QString& letters) {
  for (Command command : kAllCommands) {
    const int position = Index(command);
    QKeySequence shortcut;
    if (position < letters.size() && letters.indexOf(letters[position]) == position)
      shortcut = QKeySequence(QKeyCombination(Qt::AltModifier, Qt::Key(letters[position].unicode())));
    actions_[position]->setShortcut(shortcut);
  }
}

Command MainCommands::CommandForAltKey(int keyCode) const {
  const QKeySequence pressed(QKeyCombination(Qt::AltModifier, Qt::Key(keyCode)));
  for (Command command : kAllCommands)
    if (!actions_[Index(command)]->shortcut().isEmpty() && actions_[Index(command)]->shortcut() == pressed)
      return command;
  return Command::None;
}

bool MainCommands::Run(Command command) {
  if (command == Command::None) return false;
  if (linkBusy_ && HeldWhileLinkBusy(command)) return false;
  if (const auto& handler = handlers_[Index(command)]) handler();
  return true;
}

}  // namespace ui
