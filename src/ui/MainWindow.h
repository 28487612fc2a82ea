#pragma once
// The main window: a borderless, skinned window built from 65 picture slots laid out from
// layout records, the eleven picture buttons, the help panel, the port box, the sensors check
// box and the area where the step grids and the palette live.

#include <QElapsedTimer>
#include <QMessageBox>
#include <QPoint>
#include <QWidget>
#include <functional>

#include "actions/ActionLists.h"
#include "app/Pictures.h"
#include "app/core/Settings.h"
#include "app/core/Shortcuts.h"
#include "ui/OnDemand.h"

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QTabBar;

namespace ui {

// Help panel texts: the blank one, the last of those shown under the mouse, and the notices.
inline constexpr int kBlankHelpText = 429;
inline constexpr int kLastHoverHelpText = 451;
inline constexpr int kProgramSentText = 610;  // port, seconds
inline constexpr int kTestRunningText = 611;
// How long a notice holds the help panel against the help under the mouse.
inline constexpr int kNoticeHoldMs = 4000;

class PortBox;
class StepArea;
class TTestForm;
class TCodeForm;
class ProgramDownload;
class MainCommands;

class TMainForm : public QWidget {
  Q_OBJECT
 public:
  explicit TMainForm(QWidget* parent = nullptr);
  ~TMainForm() override;

  // --- components (their layout records are applied at show) ---
  app::PictureSlots Pictures{};
  QCheckBox* HyperHelp = nullptr;
  QCheckBox* SensorsEnabled = nullptr;
  QLabel* SerialPortLabel1 = nullptr;
  QLabel* SerialPortLabel2 = nullptr;
  PortBox* COMPortComboBox = nullptr;
  QWidget* SensorTabbedNotebook = nullptr;  // the step grids of the sensor sets live in it
  QTabBar* SensorTabs = nullptr;            // its five tabs
  QLabel* SensorActionPanel = nullptr;      // the "+" tile
  QWidget* ActionScrollBox = nullptr;       // holds the eight palette tiles
  QPlainTextEdit* HelpMemo = nullptr;

  // --- start-up ---
  void FormCreate();
  void FormShow();  // runs once, when the intro window shows the window
  bool shownOnce() const { return shown_; }

  // --- commands and their buttons ---
  // The twelve commands as actions; a button shows its action's enabled state.
  MainCommands* Commands = nullptr;
  bool ButtonEnabled(int tag) const;
  void SetButtonEnabled(int tag, bool enabled);
  // While the robot link has a job (a scan, a download), Go, Test, Open, Clear and Quit are
  // held off (buttons, Alt keys and the window's close box alike) and shown disabled.
  void SetLinkBusy(bool busy);
  bool LinkBusy() const;
  void ButtonMouseMove(app::PictureSlot* slot);
  void HighlightedButtonMouseDown(app::PictureSlot* slot);
  void ButtonClick(app::PictureSlot* slot);
  void HideButtonLooks(bool editButtonsOnly = false);  // highlight and pressed slots

  // --- help panel, check boxes, port box ---
  void HyperHelpClick();
  void SensorsEnabledClick();
  void COMPortComboBoxUpdate();
  void ComChange();
  void ShowHelpText(int textNumber);
  // A notice: it holds the panel for a while against the help under the mouse.
  void ShowHelpMessage(const QString& text);
  // The notice after a Go whose program reached the robot.
  void ShowProgramSent(const QString& port, qint64 milliseconds);
  // Test shows a text in the panel for as long as the test window is open; this takes it away.
  void TestWindowClosed();
  // The window's outline: a rounded rectangle of the given height, corners of `ellipse`.
  void SetWindowRegion(int height, int ellipse);
  QRegion windowRegion() const { return region_; }

  // --- keyboard: a key pressed with Alt; true when a shortcut letter took it ---
  bool AltShortcut(int keyCode);

  // --- commands ---
  void Test();
  void Quit();

  // --- seams filled by the step grids, the editing commands, the builder and the download ---
  virtual void Go();
  virtual void ViewButtonClick();
  // Go and View build the program text first (GoView.cpp); false when the builder stopped.
  bool BuildCode();
  // Compiles the program text and downloads it; the slot used, or -4.
  int DownloadTokenization(bool keepPortOpen);
  // The compiler and downloader, and the program viewer: made the first time they are needed.
  OnDemandRef<ProgramDownload> Download;
  OnDemandRef<TCodeForm> CodeForm;
  virtual void Clear();
  virtual void LoadFile();
  // Loads the named file in the running mode, as Open does after its dialog; false (after
  // the usual message, if any) when the lists were not replaced.
  bool OpenNamedFile(const QString& fileName);
  virtual void SaveFile();
  // The grid key handler of the current list: Delete, or C, X, V, Z with Ctrl.
  virtual void ToDoListKeyDown(int key, Qt::KeyboardModifiers modifiers);
  virtual void AutoEnableDisable();
  virtual void FocusCurrentGrid();
  virtual bool IsModified() const { return Lists.Modified; }
  virtual void SetModified(bool modified) { Lists.Modified = modified; }

  // The lists the user edits, with undo and clipboard, and the step grids, slots and palette
  // that edit them (made at show).
  actions::ActionLists Lists;
  StepArea* Steps = nullptr;

  // --- unsaved changes, settings ---
  QMessageBox::StandardButton CheckIfSaved();
  void LoadSettings();
  void SaveSettings();
  app::SettingsValues& Settings() { return settings_; }
  // The folder that the settings store as LastDirectory: where the user last chose a file.
  QString CurrentFolder() const { return currentFolder_; }
  void SetCurrentFolder(const QString& folder) { currentFolder_ = folder; }
  QString OpenDialogFolder() const { return openDialogFolder_; }
  QString SaveDialogFolder() const { return saveDialogFolder_; }

  // --- replaceable for tests and tools ---
  std::function<QMessageBox::StandardButton(const QString& text)> AskSaveQuestion;
  std::function<QStringList()> ListPorts;  // the discovered ports, in discovery order
  std::function<void()> EndApplication;
  std::function<void()> ShowTestWindow;
  // The file dialogs: the chosen file, or the empty text when cancelled.
  enum class FileDialog { Open, Save };
  std::function<QString(FileDialog which, const QString& folder, const QString& proposed)> ChooseFile =
      [this](FileDialog which, const QString& folder, const QString& proposed) {
        return RunFileDialog(which, folder, proposed);
      };
  QString RunFileDialog(FileDialog which, const QString& folder, const QString& proposed);

 signals:
  void applicationEnded();
  // A loaded file replaced the lists; the grids show them anew.
  void listsReplaced();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

  // The window background, and the slots that act like it, under the mouse.
  virtual void BackgroundMouseMove();
  // Palette tiles: hover animation and help; the drag and the double-click belong to the grids.
  virtual void ActionMouseMove(app::PictureSlot* tile);
  virtual void ActionMouseDown(app::PictureSlot* tile, QMouseEvent* event);
  virtual void ActionDblClick(app::PictureSlot* tile);
  // The step grids and the step slots; the window keeps their place free.
  virtual void MakeStepGrids();
  virtual void MakeStepSlots();

 private:
  void MakeControls();
  void MakeCheckBoxes();
  void MakePortControls();
  void MakeSensorControls();
  void MakeHelpMemo();
  void MakeCommands();
  void ShowCover(int tag, bool enabled);
  void ApplyLayouts(bool advanced);
  void WirePictures();
  void SetupPalette();
  void ApplyCaptions();
  void CentreOnScreen();
  void FormMouseDown(QMouseEvent* event);
  void MoveWindowWhileDragging(QMouseEvent* event);
  void RefreshPortBox();
  void RememberChosenFile(const QString& fileName);
  void SelectPortInBox(const QString& port);

  bool shown_ = false;
  bool quitting_ = false;
  bool testWindowOpen_ = false;
  QElapsedTimer noticeShown_;
  bool moving_ = false;
  QPoint lastCursor_;
  QRegion region_;
  app::SettingsValues settings_;
  QString currentFolder_;
  QString openDialogFolder_;
  QString saveDialogFolder_;
  QString openFileName_;
  QString saveFileName_;
  TTestForm* testForm_ = nullptr;
};

}  // namespace ui
