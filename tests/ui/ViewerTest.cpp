// The program viewer: layout, colouring, the mark of a failed compilation, and that its text
// never reaches what Go compiles.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/ShowError.h"
#include "app/core/ProgramText.h"
#include "ui/Code.h"
#include "ui/MainWindow.h"
#include "ui/ProgramDownload.h"
#include "ui/Progress.h"
#include "ui/Startup.h"
#include "ui/TessicHighlighter.h"

namespace {

using Role = ui::TessicHighlighter::Role;

// One letter per character: . plain, K keyword, C comment, S string, N number, L label.
std::string Roles(const QString& line) {
  std::string out;
  for (Role role : ui::TessicHighlighter::Classify(line)) {
    switch (role) {
      case Role::Plain:
        out += '.';
        break;
      case Role::Keyword:
        out += 'K';
        break;
      case Role::Comment:
        out += 'C';
        break;
      case Role::String:
        out += 'S';
        break;
      case Role::Number:
        out += 'N';
        break;
      case Role::Label:
        out += 'L';
        break;
    }
  }
  return out;
}

TEST(Viewer, ColouringOfTheLanguage) {
  struct Case {
    const char* line;
    const char* roles;
  };
  const Case cases[] = {
      {"Exchange:", "LLLLLLLLL"},
      {"  GOTO Exchange", "..KKKK........."},
      {"x = 12 ' twelve", "....NN.CCCCCCCC"},
      {"x = $1F + %101", "....NNN...NNNN"},
      {"x = a % 2", "........N"},
      {"DEBUG \"a'b\"", "KKKKK.SSSSS"},
      {"'{$VARDA VD2}", "CCCCCCCCCCCCC"},
      {"rem note", "CCCCCCCC"},
      {"Speed CON 10", "......KKK.NN"},
      {"Var2 VAR Word", ".....KKK.KKKK"},
      {"IF x THEN y", "KK...KKKK.."},
      {"\"open", "SSSSS"},
  };
  for (const Case& c : cases) EXPECT_EQ(Roles(QString::fromLatin1(c.line)), c.roles) << c.line;
}

TEST(Viewer, SourcePositionsMapToLinesAndColumns) {
  const QStringList lines = {"ab", "", "cdef", "g"};
  struct Case {
    int position, line, column;
  };
  // Lines are joined with CR LF in the compiler's source.
  const Case cases[] = {{0, 0, 0}, {1, 0, 1}, {4, 1, 0}, {6, 2, 0}, {9, 2, 3}, {12, 3, 0}, {40, 3, 28}};
  for (const Case& c : cases) {
    int line = -1, column = -1;
    ui::SourcePositionToLine(lines, c.position, line, column);
    EXPECT_EQ(line, c.line) << c.position;
    EXPECT_EQ(column, c.column) << c.position;
  }
}

TEST(Viewer, ResizingKeepsTheButtonCentredAndTheMemoFilling) {
  ui::TCodeForm form;
  EXPECT_EQ(form.windowTitle(), "Rovalis Code");
  EXPECT_EQ(form.size(), QSize(798, 617));
  EXPECT_EQ(form.OKButton->text(), "Close");
  EXPECT_EQ(form.OKButton->size(), QSize(75, 25));
  form.show();
  for (QSize size : {QSize(798, 617), QSize(400, 300), QSize(1200, 900), QSize(517, 433)}) {
    form.resize(size);
    QApplication::processEvents();
    SCOPED_TRACE(size.width());
    EXPECT_EQ(form.OKButton->x(), form.Panel4->width() / 2 - form.OKButton->width() / 2);
    EXPECT_EQ(form.OKButton->y(), 14);
    EXPECT_EQ(form.Panel4->height(), 47);
    EXPECT_EQ(form.Panel4->y() + form.Panel4->height(), form.height());
    const QRect memo = form.BASICMemo->geometry();
    EXPECT_EQ(memo.left(), 10);
    EXPECT_EQ(memo.top(), 10);
    EXPECT_EQ(form.width() - memo.right() - 1, 10);
    EXPECT_LE(memo.bottom(), form.Panel4->y());
    EXPECT_GE(memo.bottom(), form.Panel4->y() - 8);
  }
  form.hide();
}

TEST(Viewer, EscapeAndEnterCloseWithTheOkResult) {
  ui::TCodeForm form;
  for (int key : {Qt::Key_Escape, Qt::Key_Return}) {
    QTimer::singleShot(0, [&form, key] {
      QTest::keyClick(QApplication::activeModalWidget() ? QApplication::activeModalWidget() : &form,
                      Qt::Key(key));
    });
    EXPECT_EQ(form.ShowModal(nullptr), QDialog::Accepted) << key;
  }
}

class ViewerWithMainWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    previousBox_ = app::SetErrorBoxHandler([this](const QString& text) { errors.push_back(text); });
    windows = ui::MakeWindows();
    windows->ProgressForm->TokenizeFailureBox = [this](const QString& text, const QString&) {
      errors.push_back(text);
    };
    auto& step = windows->MainForm->Lists.Document().List(1)[1];
    step.Kind = 0;
    step.Value = 10;
  }
  void TearDown() override {
    app::SetErrorBoxHandler(previousBox_);
    windows.reset();
  }
  // Runs View and reads the viewer while it is shown.
  void View(const std::function<void(ui::TCodeForm&)>& inside) {
    ui::TCodeForm* viewer = windows->CodeForm.get();
    QTimer::singleShot(0, [viewer, inside] {
      inside(*viewer);
      viewer->OKButton->click();
    });
    windows->MainForm->ViewButtonClick();
  }

  std::unique_ptr<ui::Windows> windows;
  std::vector<QString> errors;

 private:
  app::ErrorBoxHandler previousBox_;
};

TEST_F(ViewerWithMainWindow, ViewShowsTheBuiltProgramAndTypedTextIsNotKept) {
  QString shown;
  bool readOnly = false;
  View([&](ui::TCodeForm& viewer) {
    shown = viewer.BASICMemo->toPlainText();
    readOnly = viewer.BASICMemo->isReadOnly();
    viewer.BASICMemo->setPlainText(QStringLiteral("GOTO Somewhere"));
  });
  EXPECT_TRUE(errors.empty());
  EXPECT_TRUE(shown.contains(QStringLiteral("ActionList\tDATA\t\"F\",10")));
  EXPECT_TRUE(readOnly);
  EXPECT_EQ(app::TheProgramText().lines().join(u'\n'), shown) << "what Go compiles is the built text";
  // The next View shows the rebuilt program again.
  QString again;
  View([&](ui::TCodeForm& viewer) { again = viewer.BASICMemo->toPlainText(); });
  EXPECT_EQ(again, shown);
}

TEST_F(ViewerWithMainWindow, TheFailedCompilationIsMarkedOnlyOnItsOwnText) {
  // Compile a text that fails on line 3.
  app::TheProgramText().setLines(
      {QStringLiteral("'{$VARDA VD2}"), QStringLiteral("x VAR BYTE"), QStringLiteral("  GOTO Nowhere")});
  windows->MainForm->DownloadTokenization(false);
  const ui::CompileFailure& failure = windows->Download->LastCompileFailure();
  ASSERT_TRUE(failure.Failed);
  EXPECT_EQ(failure.Line, 2);
  EXPECT_EQ(failure.Column, 7);
  EXPECT_EQ(failure.Length, 7);

  ui::TCodeForm* viewer = windows->CodeForm.get();
  QString marked, status;
  bool statusShown = false;
  QTimer::singleShot(0, [&] {
    const auto marks = viewer->BASICMemo->extraSelections();
    if (!marks.isEmpty()) marked = marks.first().cursor.selectedText();
    status = viewer->StatusLine->text();
    statusShown = viewer->StatusLine->isVisible();
    viewer->OKButton->click();
  });
  viewer->ShowModal(&failure);
  EXPECT_EQ(marked, "Nowhere");
  EXPECT_EQ(status, failure.ErrorText);
  EXPECT_TRUE(statusShown);

  // After the lists are built again the mark would point at other text: no mark.
  bool anyMark = true;
  View([&](ui::TCodeForm& v) {
    anyMark = !v.BASICMemo->extraSelections().isEmpty() || v.StatusLine->isVisible();
  });
  EXPECT_FALSE(anyMark);
}

}  // namespace
