// The list models on their own: what each role gives, values set as a user types them, drags
// carried as mime data, the full list and undo. A model tester watches every signal.

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QMimeData>
#include <QSignalSpy>
#include <memory>

#include "actions/ActionKind.h"
#include "app/core/Language.h"
#include "app/core/Texts.h"
#include "ui/StepListModel.h"

namespace {
using actions::ActionKind;
using actions::EditKey;
using ui::StepListModel;

// The model tester's complaints. It takes column 0's text for a row's identity, but that
// column is the step number, which rightly follows a row's place: those checks are left out.
void CountTesterFailures(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtDebugMsg || type == QtInfoMsg) return;
  if (message.contains(QLatin1String("c.next")) || message.contains(QLatin1String("c.last"))) return;
  if (message.contains(QLatin1String("FAIL"))) ADD_FAILURE() << message.toStdString();
}

struct Models {
  explicit Models(bool advanced, char32_t separator = U',') {
    previousHandler = qInstallMessageHandler(CountTesterFailures);
    lists.AdvancedMode = advanced;
    lists.Format.DecimalSeparator = separator;
    group = std::make_unique<ui::StepModels>(lists, nullptr);
    for (int list = 1; list <= actions::kListCount; ++list)
      testers.push_back(std::make_unique<QAbstractItemModelTester>(
          group->Model(list), QAbstractItemModelTester::FailureReportingMode::Warning));
  }
  ~Models() {
    testers.clear();
    qInstallMessageHandler(previousHandler);
  }
  StepListModel* model(int list = 1) const { return group->Model(list); }
  QVariant at(int list, int row, int column, int role) const {
    return model(list)->StepIndex(row, column).data(role);
  }

  actions::ActionLists lists;
  std::unique_ptr<ui::StepModels> group;
  std::vector<std::unique_ptr<QAbstractItemModelTester>> testers;
  QtMessageHandler previousHandler = nullptr;
};

// Main list: 1 forward 1.5 s with Set2 for both sensors, 2 go back to step 1.
void TwoSteps(Models& m) {
  m.model()->InsertTile(1, ActionKind::Forward);
  m.model()->setData(m.model()->StepIndex(1), 15);
  m.model()->AssignSet(1, StepListModel::kBothColumn, 2);
  m.model()->InsertTile(2, ActionKind::GoToStep);
}

TEST(StepListModelTest, EachRoleGivesWhatTheGridAndAScreenReaderShow) {
  app::SetActiveLanguage(app::Language::Spanish);
  Models m(true);
  TwoSteps(m);
  struct Case {
    int row, column, role;
    QVariant expected;
  };
  const Case cases[] = {
      {1, 0, Qt::DisplayRole, 1},
      {1, 1, Qt::DisplayRole, QStringLiteral("1,5 seg")},
      {2, 1, Qt::DisplayRole, QStringLiteral("paso 1")},
      {1, 2, Qt::DisplayRole, QStringLiteral("Set2")},
      {1, 3, Qt::DisplayRole, QStringLiteral("Todos")},
      {2, 2, Qt::DisplayRole, QStringLiteral("Set2")},  // a new step takes the sets above it
      {2, 4, Qt::DisplayRole, QStringLiteral("Todos")},
      {1, 1, StepListModel::KindRole, 0},
      {2, 1, StepListModel::KindRole, 7},
      {1, 1, StepListModel::ValueRole, 15},
      {1, 1, Qt::EditRole, 15},
      {1, 0, Qt::EditRole, QVariant()},
      {1, 2, StepListModel::SetRole, 2},
      {1, 3, StepListModel::SetRole, 0},
      {1, 1, Qt::ToolTipRole, QStringLiteral("Avanzar")},
      {1, 1, Qt::AccessibleTextRole, QStringLiteral("Paso 1: avanzar 1,5 segundos")},
      {2, 0, Qt::AccessibleTextRole, QStringLiteral("Paso 2: volver al paso 1")},
      {1, 1, Qt::AccessibleDescriptionRole,
       QStringLiteral("Sensores: ambos Set2, izquierdo Todos, derecho Todos")},
      {1, 3, Qt::AccessibleTextRole, QStringLiteral("Izq.: Todos")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "row " << c.row << " column " << c.column << " role " << c.role);
    EXPECT_EQ(m.at(1, c.row, c.column, c.role), c.expected);
  }
  EXPECT_EQ(m.model()->columnCount(), 5);
  EXPECT_EQ(m.model(2)->columnCount(), 2);
  EXPECT_EQ(m.model()->rowCount(), 2);
  EXPECT_EQ(m.model()->EmptyRowSentence(), QStringLiteral("Paso 3: vacío, aquí se añade el siguiente paso"));
  EXPECT_FALSE(m.model()->StepIndex(3).isValid());
  // A step moves by its number and takes a value in its action cell.
  const Qt::ItemFlags number = m.model()->flags(m.model()->StepIndex(1, 0));
  const Qt::ItemFlags action = m.model()->flags(m.model()->StepIndex(1, 1));
  EXPECT_TRUE(number & Qt::ItemIsDragEnabled);
  EXPECT_FALSE(number & Qt::ItemIsEditable);
  EXPECT_TRUE(action & Qt::ItemIsEditable);
  EXPECT_FALSE(action & Qt::ItemIsDragEnabled);
  EXPECT_EQ(m.model()->headerData(0, Qt::Horizontal), app::LoadText(369));
  EXPECT_EQ(m.model()->headerData(4, Qt::Horizontal), app::LoadText(373));
}

TEST(StepListModelTest, TheSentencesFollowTheLanguage) {
  struct Case {
    app::Language language;
    char32_t separator;
    const char* first;
    const char* second;
    const char* editor;
  };
  const Case cases[] = {
      {app::Language::Spanish, U',', "Paso 1: avanzar 1,5 segundos", "Paso 2: volver al paso 1",
       "Valor del paso 2"},
      {app::Language::English, U'.', "Step 1: forward 1.5 seconds", "Step 2: go back to step 1",
       "Value of step 2"},
  };
  for (const Case& c : cases) {
    app::SetActiveLanguage(c.language);
    Models m(false, c.separator);
    TwoSteps(m);
    EXPECT_EQ(m.model()->StepSentence(1), QString::fromUtf8(c.first));
    EXPECT_EQ(m.model()->StepSentence(2), QString::fromUtf8(c.second));
    EXPECT_EQ(m.model()->ValueEditorName(2), QString::fromUtf8(c.editor));
    // A beginner's list has no sets to tell, nor to take.
    EXPECT_EQ(m.at(1, 1, 1, Qt::AccessibleDescriptionRole), QVariant());
    EXPECT_EQ(m.lists.Step(1, 1).BothSet, 0);
  }
  app::SetActiveLanguage(app::Language::Spanish);
}

TEST(StepListModelTest, SetDataReadsBothDecimalMarksAndKeepsTheLimits) {
  struct Case {
    ActionKind kind;
    QVariant typed;
    bool taken;
    int value;
  };
  const Case cases[] = {
      {ActionKind::Forward, QStringLiteral("1,5"), true, 15},
      {ActionKind::Forward, QStringLiteral("1.5"), true, 15},
      {ActionKind::Forward, QStringLiteral("2,25"), true, 22},
      {ActionKind::Forward, QStringLiteral("30"), true, 255},
      {ActionKind::Forward, QStringLiteral("0,0"), true, 1},
      {ActionKind::Backward, 300, true, 255},
      {ActionKind::Backward, 0, true, 1},
      {ActionKind::Backward, 40, true, 40},
      {ActionKind::GoToStep, QStringLiteral("2,7"), true, 2},  // no decimals
      {ActionKind::GoToStep, 9, true, 3},                      // at most its own row
      {ActionKind::Forward, QVariant(), false, 12},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed.toString().toStdString());
    Models m(false);
    m.model()->InsertTile(1, ActionKind::Forward);
    m.model()->InsertTile(2, ActionKind::Forward);
    m.model()->InsertTile(3, c.kind);
    const int before = m.lists.Step(1, 3).Value;
    const int undoDepth = m.lists.UndoDepth();
    QSignalSpy changed(m.model(), &QAbstractItemModel::dataChanged);
    EXPECT_EQ(m.model()->setData(m.model()->StepIndex(3), c.typed), c.taken);
    EXPECT_EQ(m.lists.Step(1, 3).Value, c.value);
    const bool differs = c.value != before;
    EXPECT_EQ(changed.count(), differs ? 1 : 0);
    EXPECT_EQ(m.lists.UndoDepth(), undoDepth + (differs ? 1 : 0));
    if (differs) {
      m.model()->KeyCommand(EditKey::Undo, 0, 0);
      EXPECT_EQ(m.lists.Step(1, 3).Value, before);
    }
  }
  // Only the action column takes a value.
  Models m(false);
  m.model()->InsertTile(1, ActionKind::Forward);
  EXPECT_FALSE(m.model()->setData(m.model()->StepIndex(1, StepListModel::kNumberColumn), 40));
  EXPECT_EQ(m.lists.Step(1, 1).Value, 12);
}

// What lies in the main list after a drop, as kind letters: "FBL".
QString Kinds(const actions::ActionLists& lists, int list) {
  QString kinds;
  for (int r = 1; r <= lists.StepCount(list); ++r)
    kinds += QChar(actions::InfoOf(lists.Step(list, r).kind()).robotLetter);
  return kinds;
}

TEST(StepListModelTest, DropsOfTilesSetsAndStepsGoThroughTheListCommands) {
  enum Payload { kTile, kSet, kSteps, kForeign, kBroken };
  struct Case {
    const char* name;
    bool advanced;
    int list;
    Payload payload;
    int number;  // the tile's kind, the set, or the step row carried
    int row;     // drop between rows (0-based, -1 for none)
    int onStep;  // drop on this step's cell (0: none)
    int column;
    bool taken;
    const char* kinds;
  };
  const Case cases[] = {
      {"tile appended", false, 1, kTile, 4, -1, 0, 0, true, "FBLE"},
      {"tile before step 2", false, 1, kTile, 6, 1, 0, 0, true, "FSBL"},
      {"tile on step 1", false, 1, kTile, 0, -1, 1, 1, true, "FFBL"},
      {"go-to into a sensor set", true, 2, kTile, 7, -1, 0, 0, false, ""},
      {"unknown kind", false, 1, kTile, 9, -1, 0, 0, false, "FBL"},
      {"set on Left of step 2", true, 1, kSet, 3, -1, 2, 3, true, "FBL"},
      {"set on the action column", true, 1, kSet, 3, -1, 2, 1, false, "FBL"},
      {"set in beginner mode", false, 1, kSet, 3, -1, 2, 2, false, "FBL"},
      {"set between rows", true, 1, kSet, 3, 1, 0, 0, false, "FBL"},
      {"step 3 moved onto step 1", false, 1, kSteps, 3, -1, 1, 0, true, "LFB"},
      {"step 1 moved past the end", false, 1, kSteps, 1, -1, 0, 0, true, "BLF"},
      {"step of another list", true, 2, kSteps, 1, -1, 0, 0, false, ""},
      {"foreign text", false, 1, kForeign, 0, -1, 0, 0, false, "FBL"},
      {"broken step payload", false, 1, kBroken, 0, -1, 0, 0, false, "FBL"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Models m(c.advanced);
    for (ActionKind k : {ActionKind::Forward, ActionKind::Backward, ActionKind::TurnLeft})
      m.model()->InsertTile(m.model()->StepCount() + 1, k);
    std::unique_ptr<QMimeData> data;
    switch (c.payload) {
      case kTile:
        data.reset(StepListModel::TileMime(static_cast<ActionKind>(c.number)));
        break;
      case kSet:
        data.reset(StepListModel::SetMime(static_cast<actions::SensorSetIndex>(c.number)));
        break;
      case kSteps:
        data.reset(m.model()->mimeData({m.model()->StepIndex(c.number, 0)}));
        break;
      case kForeign:
        data = std::make_unique<QMimeData>();
        data->setText(QStringLiteral("file:///tmp/x"));
        break;
      case kBroken:
        data = std::make_unique<QMimeData>();
        data->setData(QString::fromLatin1(ui::kStepRowsMime), QByteArray("\x01", 1));
        break;
    }
    StepListModel* target = m.model(c.list);
    const QModelIndex parent = c.onStep > 0 ? target->StepIndex(c.onStep, c.column) : QModelIndex();
    const Qt::DropAction action = c.payload == kSteps ? Qt::MoveAction : Qt::CopyAction;
    EXPECT_EQ(target->canDropMimeData(data.get(), action, c.row, c.column, parent), c.taken);
    EXPECT_EQ(target->dropMimeData(data.get(), action, c.row, c.column, parent), c.taken);
    EXPECT_EQ(Kinds(m.lists, c.list), QString::fromLatin1(c.kinds));
    if (c.payload == kSet && c.taken) {
      EXPECT_EQ(m.lists.Step(1, 2).LeftSet, c.number);
    }
    // A drop that was taken is one undo step.
    EXPECT_EQ(m.lists.UndoDepth(), 3 + (c.taken ? 1 : 0));
  }
}

TEST(StepListModelTest, AFullListRefusesEveryInsertion) {
  Models m(false);
  for (int i = 0; i < actions::kMaxSteps; ++i) m.model()->InsertTile(i + 1, ActionKind::Forward);
  ASSERT_EQ(m.model()->rowCount(), actions::kMaxSteps);
  m.model()->KeyCommand(EditKey::Copy, 1, 2);
  const int undoDepth = m.lists.UndoDepth();
  QSignalSpy inserted(m.model(), &QAbstractItemModel::rowsInserted);
  std::unique_ptr<QMimeData> tile(StepListModel::TileMime(ActionKind::Backward));
  EXPECT_FALSE(m.model()->canDropMimeData(tile.get(), Qt::CopyAction, -1, -1, {}));
  EXPECT_FALSE(m.model()->dropMimeData(tile.get(), Qt::CopyAction, -1, -1, {}));
  EXPECT_FALSE(m.model()->InsertTile(1, ActionKind::Backward).Changed);
  EXPECT_FALSE(m.model()->KeyCommand(EditKey::Paste, 3, 3).Changed);
  EXPECT_EQ(inserted.count(), 0);
  EXPECT_EQ(m.model()->rowCount(), actions::kMaxSteps);
  EXPECT_EQ(m.lists.UndoDepth(), undoDepth);
  // One step out, one paste in: the second copied step is dropped.
  m.model()->KeyCommand(EditKey::Delete, 1, 1);
  m.model()->KeyCommand(EditKey::Paste, 1, 1);
  EXPECT_EQ(m.model()->rowCount(), actions::kMaxSteps);
}

TEST(StepListModelTest, PersistentIndexesFollowTheirStepsAndUndoStartsOver) {
  Models m(false);
  for (ActionKind k : {ActionKind::Forward, ActionKind::Backward, ActionKind::TurnLeft})
    m.model()->InsertTile(m.model()->StepCount() + 1, k);
  const QPersistentModelIndex turn(m.model()->StepIndex(3));
  m.model()->InsertTile(1, ActionKind::StopAndWait);  // SFBL
  EXPECT_EQ(StepListModel::StepRow(turn), 4);
  const QPersistentModelIndex stop(m.model()->StepIndex(1));
  m.model()->MoveStep(1, 3);  // FBSL
  EXPECT_EQ(StepListModel::StepRow(stop), 3);
  EXPECT_EQ(StepListModel::StepRow(turn), 4);
  m.model()->MoveStep(3, 2);  // FSBL
  EXPECT_EQ(StepListModel::StepRow(stop), 2);
  m.model()->MoveStep(2, 1);  // SFBL
  EXPECT_EQ(StepListModel::StepRow(stop), 1);
  EXPECT_EQ(Kinds(m.lists, 1), QStringLiteral("SFBL"));
  m.model()->MoveStep(4, 1);  // LSFB
  EXPECT_EQ(StepListModel::StepRow(turn), 1);
  m.model()->KeyCommand(EditKey::Delete, 2, 3);  // LB
  EXPECT_EQ(StepListModel::StepRow(turn), 1);
  EXPECT_EQ(turn.data(StepListModel::KindRole).toInt(), static_cast<int>(ActionKind::TurnLeft));
  m.model()->KeyCommand(EditKey::Cut, 1, 1);  // B
  EXPECT_FALSE(turn.isValid());

  QSignalSpy reset(m.model(2), &QAbstractItemModel::modelReset);
  m.model()->KeyCommand(EditKey::Undo, 0, 0);  // every list starts over
  EXPECT_EQ(reset.count(), 1);
  EXPECT_EQ(Kinds(m.lists, 1), QStringLiteral("LB"));
  m.group->Clear();
  EXPECT_EQ(m.model()->rowCount(), 0);
  m.group->Undo();
  EXPECT_EQ(m.model()->rowCount(), 2);
}

}  // namespace
