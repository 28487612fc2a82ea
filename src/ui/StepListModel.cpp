#include "ui/StepListModel.h"

#include "actions/ActionKind.h"
#include "app/core/Texts.h"
#include "ui/BotActionIcon.h"

namespace ui {

namespace {
using actions::ActionKind;
using actions::kMainList;

constexpr int kHeaderTexts[] = {369, 370, 371, 372, 373};
constexpr int kStepSentenceText = 602;  // "Paso %1: %2 %3"
constexpr int kSecondsText = 603;       // "%1 segundos"
constexpr int kEmptyRowText = 604;      // "Paso %1: vacío, ..."
constexpr int kSetsSentenceText = 605;  // "Sensores: ambos %1, izquierdo %2, derecho %3"
constexpr int kValueEditorText = 606;   // "Valor del paso %1"
constexpr int kIconSize = 25;
}  // namespace

StepListModel::StepListModel(StepModels& group, int list, QObject* parent)
    : QAbstractTableModel(parent), group_(group), list_(list) {}

actions::ActionLists& StepListModel::Lists() const {
  return group_.Lists();
}

int StepListModel::StepCount() const {
  return Lists().StepCount(list_);
}

const actions::StepRecord& StepListModel::Record(int row) const {
  return Lists().Step(list_, row);
}

QModelIndex StepListModel::StepIndex(int row, int column) const {
  return row >= 1 && row <= StepCount() ? index(row - 1, column) : QModelIndex();
}

int StepListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : StepCount();
}

int StepListModel::columnCount(const QModelIndex& parent) const {
  if (parent.isValid()) return 0;
  return list_ == kMainList && Lists().AdvancedMode ? 5 : 2;
}

QVariant StepListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  return section >= 0 && section < columnCount() ? app::LoadText(kHeaderTexts[section]) : QVariant();
}

Qt::ItemFlags StepListModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::ItemIsDropEnabled;  // below the steps: appended
  Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDropEnabled;
  if (index.column() == kNumberColumn) flags |= Qt::ItemIsDragEnabled;  // a step moves by its number
  if (index.column() == kActionColumn) flags |= Qt::ItemIsEditable;
  return flags;
}

QVariant StepListModel::data(const QModelIndex& index, int role) const {
  if (!checkIndex(index, CheckIndexOption::IndexIsValid)) return {};
  const int row = StepRow(index);
  const actions::StepRecord& step = Record(row);
  switch (role) {
    case Qt::DisplayRole:
      return DisplayData(index);
    case Qt::EditRole:
    case ValueRole:
      return index.column() == kActionColumn || role == ValueRole ? QVariant(int(step.Value)) : QVariant();
    case KindRole:
      return int(step.Kind);
    case SetRole:
      return index.column() >= kBothColumn ? QVariant(int(index.column() == kBothColumn   ? step.BothSet
                                                          : index.column() == kLeftColumn ? step.LeftSet
                                                                                          : step.RightSet))
                                           : QVariant();
    case Qt::DecorationRole: {
      const KindPictures* pictures = group_.Pictures();
      if (index.column() != kActionColumn || pictures == nullptr || !actions::IsValidKind(step.Kind))
        return {};
      return StepIcon((*pictures)[step.Kind], step.kind(), kIconSize);
    }
    case Qt::ToolTipRole:
      return index.column() == kActionColumn && actions::IsValidKind(step.Kind)
                 ? QVariant(app::LoadText(actions::InfoOf(step.kind()).textNumber))
                 : QVariant();
    case Qt::AccessibleTextRole:
    case Qt::AccessibleDescriptionRole:
      return AccessibleData(index, role);
    default:
      return {};
  }
}

QVariant StepListModel::DisplayData(const QModelIndex& index) const {
  const int row = StepRow(index);
  switch (index.column()) {
    case kNumberColumn:
      return row;
    case kActionColumn:
      return ValueText(row);
    default:
      return SetName(row, index.column());
  }
}

QVariant StepListModel::AccessibleData(const QModelIndex& index, int role) const {
  const int row = StepRow(index);
  if (index.column() >= kBothColumn) {
    if (role == Qt::AccessibleDescriptionRole) return {};
    return QStringLiteral("%1: %2").arg(app::LoadText(kHeaderTexts[index.column()]),
                                        SetName(row, index.column()));
  }
  if (role == Qt::AccessibleTextRole) return StepSentence(row);
  if (columnCount() < 5) return {};
  return app::LoadText(kSetsSentenceText)
      .arg(SetName(row, kBothColumn), SetName(row, kLeftColumn), SetName(row, kRightColumn));
}

QString StepListModel::ValueText(int row) const {
  const actions::StepRecord& step = Record(row);
  const actions::SlotLimits limits = actions::LimitsFor(step.kind(), row);
  const QString prefix = limits.PrefixText ? app::LoadText(limits.PrefixText) : QString();
  const QString suffix = limits.SuffixText ? app::LoadText(limits.SuffixText) : QString();
  return QString::fromStdString(actions::DisplayText(step.Value, limits.Decimals, Lists().Format,
                                                     prefix.toStdString(), suffix.toStdString()));
}

QString StepListModel::SetName(int row, int column) const {
  const actions::StepRecord& step = Record(row);
  const actions::SensorSetIndex set = column == kBothColumn   ? step.BothSet
                                      : column == kLeftColumn ? step.LeftSet
                                                              : step.RightSet;
  return set < actions::kSensorSetCount ? app::LoadText(actions::SensorSetText(set)) : QString();
}

QString StepListModel::StepSentence(int row) const {
  if (row < 1 || row > StepCount()) return row == StepCount() + 1 ? EmptyRowSentence() : QString();
  const actions::StepRecord& step = Record(row);
  if (!actions::IsValidKind(step.Kind)) return {};
  const QString kind = app::LoadText(actions::InfoOf(step.kind()).textNumber).toLower();
  const QString value =
      actions::IsTimed(step.kind())
          ? app::LoadText(kSecondsText)
                .arg(QString::fromStdString(actions::DisplayText(step.Value, 1, Lists().Format)))
          : QString::number(step.Value);
  return app::LoadText(kStepSentenceText).arg(QString::number(row), kind, value);
}

QString StepListModel::EmptyRowSentence() const {
  return app::LoadText(kEmptyRowText).arg(StepCount() + 1);
}

QString StepListModel::ValueEditorName(int row) const {
  return app::LoadText(kValueEditorText).arg(row);
}

// --- the six models together ---

StepModels::StepModels(actions::ActionLists& lists, QObject* parent) : QObject(parent), lists_(lists) {
  for (int list = 1; list <= actions::kListCount; ++list)
    models_[list - 1] = new StepListModel(*this, list, this);
}

actions::EditResult StepModels::ResetAll(const std::function<actions::EditResult()>& change) {
  for (StepListModel* model : models_) model->beginResetModel();
  const actions::EditResult result = change();
  for (StepListModel* model : models_) model->endResetModel();
  return result;
}

actions::EditResult StepModels::Undo() {
  if (!lists_.CanUndo()) return {};
  return ResetAll([this] { return lists_.Undo(); });
}

actions::EditResult StepModels::Clear() {
  return ResetAll([this] { return lists_.Clear(); });
}

void StepModels::ListsReplaced() {
  // The document has already been replaced; the views learn of it as a reset.
  ResetAll([] { return actions::EditResult{}; });
}

}  // namespace ui
