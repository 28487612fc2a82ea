// The main window's file commands: Open and Save with their dialogs. The checks of a file and
// the saving that never leaves a half-written file belong to the action lists.

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <filesystem>

#include "actions/FileFormat.h"
#include "app/ShowError.h"
#include "app/core/Global.h"
#include "app/core/Texts.h"
#include "ui/MainWindow.h"
#include "ui/PictureButtons.h"

namespace ui {

namespace {
const char* const kFileFilter = "Rovalis Files (*.rvl);;All Files (*.*)";

std::filesystem::path ToPath(const QString& name) {
  return std::filesystem::path(QFile::encodeName(name).toStdString());
}

QString MessageText(const actions::UiMessage& message) {
  return message.TextNumber != 0 ? app::LoadText(message.TextNumber) : QString::fromUtf8(message.Literal);
}
}  // namespace

QString TMainForm::RunFileDialog(FileDialog which, const QString& folder, const QString& proposed) {
  const bool open = which == FileDialog::Open;
  QFileDialog dialog(this, app::LoadText(open ? 516 : 517), folder, QString::fromLatin1(kFileFilter));
  dialog.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
  dialog.setFileMode(open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  dialog.setDefaultSuffix(QStringLiteral("rvl"));
  if (!proposed.isEmpty()) dialog.selectFile(proposed);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().front();
}

void TMainForm::RememberChosenFile(const QString& fileName) {
  // The dialogs leave the current folder where the chosen file is; the settings store it.
  currentFolder_ = QFileInfo(fileName).absolutePath();
}

void TMainForm::SaveFile() {
  if (saveFileName_.isEmpty()) saveFileName_ = openFileName_;
  const QString fileName =
      ChooseFile ? ChooseFile(FileDialog::Save, saveDialogFolder_, saveFileName_) : QString();
  if (fileName.isEmpty()) return;
  saveFileName_ = fileName;
  saveDialogFolder_ = QFileInfo(fileName).absolutePath();
  RememberChosenFile(fileName);
  Lists.AdvancedMode = app::Global().AdvancedMode;
  const std::string error = Lists.SaveToPath(ToPath(fileName));
  // A failed save leaves the old file as it was and the lists still unsaved.
  if (!error.empty()) app::ShowError(QString::fromUtf8(error));
}

void TMainForm::LoadFile() {
  if (CheckIfSaved() == QMessageBox::Cancel) return;
  if (openDialogFolder_.isEmpty()) openDialogFolder_ = QDir::currentPath();
  const QString fileName =
      ChooseFile ? ChooseFile(FileDialog::Open, openDialogFolder_, QString()) : QString();
  if (fileName.isEmpty()) return;
  OpenNamedFile(fileName);
}

bool TMainForm::OpenNamedFile(const QString& fileName) {
  openFileName_ = fileName;
  openDialogFolder_ = QFileInfo(fileName).absolutePath();
  RememberChosenFile(fileName);
  Lists.AdvancedMode = app::Global().AdvancedMode;
  const actions::LoadResult result = Lists.LoadFile(ToPath(fileName));
  if (!result.ok()) {
    // A missing or unreadable file is passed over in silence; a wrong one is explained.
    if (!result.Message.Empty()) app::ShowError(MessageText(result.Message));
    return false;
  }
  emit listsReplaced();
  AutoEnableDisable();
  SetModified(false);
  return true;
}

}  // namespace ui
