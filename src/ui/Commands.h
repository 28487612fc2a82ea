#pragma once
// The main window's twelve commands as actions: one QAction each, with its Alt shortcut and
// its enabled state kept here and nowhere else. The picture buttons trigger the actions and
// show their state; the Alt keys come here too.

#include <QObject>
#include <QString>
#include <array>
#include <functional>

#include "app/core/Shortcuts.h"

class QAction;

namespace ui {

using Command = app::ShortcutCommand;
inline constexpr int kCommandCount = 12;

class MainCommands : public QObject {
  Q_OBJECT
 public:
  explicit MainCommands(QObject* parent = nullptr);

  QAction* Action(Command command) const;
  // What the command does; a trigger of its action runs it.
  void SetHandler(Command command, std::function<void()> handler);

  // The state the lists allow (the button's own state); the action is enabled when it is
  // allowed and not held by the link.
  void SetAllowed(Command command, bool allowed);
  bool Enabled(Command command) const;

  // While the robot link has a job, the commands that would start a second job or take the
  // lists or the window away are held off.
  void SetLinkBusy(bool busy);
  bool LinkBusy() const { return linkBusy_; }
  static bool HeldWhileLinkBusy(Command command);

  // Gives each action Alt + its letter. The first position with a letter wins it: a command
  // whose letter an earlier one already has gets no shortcut.
  void ApplyShortcutLetters(const QString& letters);
  // The command whose shortcut is Alt + keyCode, None when no action has it.
  Command CommandForAltKey(int keyCode) const;
  // Runs the command unless the link holds it; false when it did not run. The Alt keys come
  // here directly: a key works even while the button is disabled (as the grid's own keys
  // do), while a button is pressed through its action and only when enabled.
  bool Run(Command command);

 signals:
  void enabledChanged(Command command, bool enabled);

 private:
  static int Index(Command command) { return static_cast<int>(command) - 1; }
  void Refresh(Command command);

  std::array<QAction*, kCommandCount> actions_{};
  std::array<std::function<void()>, kCommandCount> handlers_{};
  std::array<bool, kCommandCount> allowed_{};
  bool linkBusy_ = false;
};

// The command of each position of the shortcut letters, in order.
inline constexpr std::array<Command, kCommandCount> kAllCommands = {
    Command::Delete, Command::Copy,  Command::Cut,  Command::Paste, Command::Undo, Command::Go,
    Command::View,   Command::Clear, Command::Test, Command::Open,  Command::Save, Command::Quit};

}  // namespace ui
