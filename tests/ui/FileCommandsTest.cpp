#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "QtEnvironment.h"
#include "actions/ListDocument.h"
#include "app/ShowError.h"
#include "app/core/Global.h"
#include "app/core/Settings.h"
#include "ui/MainWindow.h"

namespace {

using Dialog = ui::TMainForm::FileDialog;

class FileCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    uitest::ClearSettings();
    app::Global() = app::StartGlobal();
    ASSERT_TRUE(dir_.isValid());
    previousHandler_ = app::SetErrorBoxHandler([this](const QString& text) { errors_ << text; });
  }
  void TearDown() override {
    app::SetErrorBoxHandler(previousHandler_);
    app::Global() = app::StartGlobal();
  }

  std::unique_ptr<ui::TMainForm> Show(bool advanced) {
    app::Global().AdvancedMode = advanced;
    auto form = std::make_unique<ui::TMainForm>();
    form->AskSaveQuestion = [this](const QString&) {
      ++questions_;
      return answer_;
    };
    form->EndApplication = [] {};
    form->ChooseFile = [this](Dialog which, const QString& folder, const QString& proposed) {
      dialogs_ << QString("%1 %2 %3").arg(which == Dialog::Open ? "open" : "save", folder, proposed);
      return choice_;
    };
    form->show();
    return form;
  }

  QString Path(const char* name) const { return dir_.filePath(name); }

  static QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  QTemporaryDir dir_;
  QStringList errors_;
  QStringList dialogs_;
  QString choice_;
  int questions_ = 0;
  QMessageBox::StandardButton answer_ = QMessageBox::Cancel;
  app::ErrorBoxHandler previousHandler_;
};

TEST_F(FileCommandsTest, SaveWritesTheDocumentAndOpenReadsItBack) {
  auto form = Show(false);
  form->Lists.AppendTile(actions::ActionKind::Forward);
  form->Lists.AppendTile(actions::ActionKind::GoToStep);
  form->SetModified(true);
  choice_ = Path("walk.rvl");
  form->SaveFile();
  EXPECT_TRUE(errors_.isEmpty()) << errors_.join("|").toStdString();
  EXPECT_FALSE(form->IsModified());
  const QByteArray saved = FileBytes(choice_);
  ASSERT_EQ(saved.size(), 9240);
  EXPECT_EQ(saved.mid(1, 19), "Rovalis Action List");
  EXPECT_EQ(saved[21], 0);  // saved in beginner mode
  EXPECT_EQ(form->CurrentFolder(), dir_.path());

  form->Lists.Clear();
  ASSERT_EQ(form->Lists.StepCount(1), 0);
  form->SetModified(false);
  form->LoadFile();
  EXPECT_EQ(form->Lists.StepCount(1), 2);
  EXPECT_FALSE(form->IsModified());
  EXPECT_EQ(questions_, 0);

  // The next save proposes the file that was opened.
  form->SaveFile();
  EXPECT_TRUE(dialogs_.back().endsWith(choice_)) << dialogs_.back().toStdString();
}

TEST_F(FileCommandsTest, WrongFilesAreExplainedAndChangeNothing) {
  QByteArray advancedFile(9240, '\0');
  {
    actions::ListDocument doc;
    doc.PrepareForSave(true);
    const auto bytes = actions::ToBytes(doc);
    advancedFile = QByteArray(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  }
  QByteArray otherVersion = advancedFile;
  otherVersion[20] = 0x12;
  otherVersion[21] = 0;
  QByteArray wrongHeader = advancedFile;
  wrongHeader[5] = 'x';
  const struct {
    const char* name;
    QByteArray bytes;
    const char* message;  // empty: nothing is said
  } cases[] = {
      {"advanced.rvl", advancedFile,
       "This Rovalis file was saved in Advanced Mode.  You must switch to Advanced Mode before opening this "
       "file."},
      {"old.rvl", otherVersion, "Can not open Rovalis file.  File format is version 1.2.  Expected version 1.3."},
      {"header.rvl", wrongHeader, "Not proper Rovalis file format."},
      {"short.rvl", advancedFile.left(100), "Not proper Rovalis file format."},
      {"missing.rvl", QByteArray(), ""},
  };
  auto form = Show(false);
  form->Lists.AppendTile(actions::ActionKind::Backward);
  form->SetModified(false);
  for (const auto& c : cases) {
    errors_.clear();
    choice_ = Path(c.name);
    if (!c.bytes.isNull()) {
      QFile file(choice_);
      ASSERT_TRUE(file.open(QIODevice::WriteOnly));
      file.write(c.bytes);
    }
    form->LoadFile();
    const QStringList expected = *c.message == '\0' ? QStringList() : QStringList{c.message};
    EXPECT_EQ(errors_, expected) << c.name;
    EXPECT_EQ(form->Lists.StepCount(1), 1) << c.name;
  }
}

TEST_F(FileCommandsTest, OpenAsksAboutUnsavedChangesFirst) {
  // Every dialog is cancelled. Yes shows the save dialog; since nothing was saved, the lists
  // are still unsaved and Open stops there instead of dropping them.
  const struct {
    QMessageBox::StandardButton answer;
    const char* dialogs;
  } cases[] = {{QMessageBox::Cancel, ""}, {QMessageBox::No, "open"}, {QMessageBox::Yes, "save"}};
  for (const auto& c : cases) {
    auto form = Show(false);
    form->Lists.AppendTile(actions::ActionKind::Forward);
    form->SetModified(true);
    answer_ = c.answer;
    questions_ = 0;
    dialogs_.clear();
    choice_.clear();
    form->LoadFile();
    EXPECT_EQ(questions_, 1) << c.answer;
    QStringList kinds;
    for (const QString& dialog : dialogs_) kinds << dialog.section(' ', 0, 0);
    EXPECT_EQ(kinds.join(","), c.dialogs) << c.answer;
    EXPECT_EQ(form->Lists.StepCount(1), 1);
  }
}

TEST_F(FileCommandsTest, AFailedSaveSaysSoAndKeepsTheChangesUnsaved) {
  auto form = Show(false);
  form->Lists.AppendTile(actions::ActionKind::Forward);
  form->SetModified(true);
  choice_ = Path("no-such-folder/walk.rvl");
  form->SaveFile();
  EXPECT_EQ(errors_.size(), 1);
  EXPECT_TRUE(form->IsModified());
  EXPECT_FALSE(QFile::exists(choice_));

  // A cancelled dialog saves nothing and says nothing.
  errors_.clear();
  choice_.clear();
  form->SaveFile();
  EXPECT_TRUE(errors_.isEmpty());
  EXPECT_TRUE(form->IsModified());
}

TEST_F(FileCommandsTest, TheFolderOfTheLastChosenFileIsStoredAtQuit) {
  auto form = Show(false);
  QDir(dir_.path()).mkpath("robots");
  choice_ = Path("robots/walk.rvl");
  form->Lists.AppendTile(actions::ActionKind::Forward);
  form->SaveFile();
  form->Quit();
  auto store = app::OpenUserSettings();
  EXPECT_EQ(store->value("1.0/LastDirectory").toString(), Path("robots"));
}

}  // namespace
