#pragma once
// One action list as a table model: a row per step, the columns of its grid (step number,
// action with picture and value, and in the advanced main list the sets for both, left and
// right sensors). Every change of a list goes through these models (StepModels for the
// commands that touch all six lists at once), so any view on them hears of it.

#include <QAbstractTableModel>
#include <QPixmap>
#include <array>
#include <functional>

#include "actions/ActionLists.h"

namespace ui {

class StepModels;

// The first frame of each kind's palette tile, by kind code.
using KindPictures = std::array<QPixmap, actions::kKindCount>;

// Mime types: a palette tile carries its kind, the "+" tile its set, moved steps their list and rows.
inline constexpr char kActionKindMime[] = "application/x-rovalis-action-kind";
inline constexpr char kSensorSetMime[] = "application/x-rovalis-sensor-set";
inline constexpr char kStepRowsMime[] = "application/x-rovalis-step-rows";

class StepListModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  enum Column { kNumberColumn = 0, kActionColumn = 1, kBothColumn = 2, kLeftColumn = 3, kRightColumn = 4 };
  enum Role { KindRole = Qt::UserRole + 1, ValueRole, SetRole };

  StepModels& Group() const { return group_; }
  int List() const { return list_; }
  int StepCount() const;

  // Model row of step `row` (1-based, as the lists count); invalid outside the steps.
  QModelIndex StepIndex(int row, int column = kActionColumn) const;
  static int StepRow(const QModelIndex& index) { return index.isValid() ? index.row() + 1 : 0; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  // The action column takes a value: a number (tenths of a second or a target step) or the
  // text a user typed ("1,5" and "1.5" alike); either is limited to the step's kind and row.
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  QStringList mimeTypes() const override;
  QMimeData* mimeData(const QModelIndexList& indexes) const override;
  Qt::DropActions supportedDropActions() const override { return Qt::CopyAction | Qt::MoveAction; }
  Qt::DropActions supportedDragActions() const override { return Qt::MoveAction; }
  bool canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                       const QModelIndex& parent) const override;
  bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                    const QModelIndex& parent) override;
  static QMimeData* TileMime(actions::ActionKind kind);
  static QMimeData* SetMime(actions::SensorSetIndex set);

  // --- the editing commands, rows 1-based; each records an undo snapshot when it changes ---
  // A palette tile at `row` (past the steps: appended).
  actions::EditResult InsertTile(int row, actions::ActionKind kind);
  // The "+" tile on column 2..4 of step `row` (main list only).
  actions::EditResult AssignSet(int row, int column, actions::SensorSetIndex set);
  actions::EditResult MoveStep(int from, int to);
  // The grid keys over the selected rows top..bottom; Undo acts on all lists.
  actions::EditResult KeyCommand(actions::EditKey key, int top, int bottom);
  // The stored value of step `row` limited to its kind and row, as showing it in an editor
  // does; no undo snapshot, nothing unsaved.
  void LimitShownValue(int row);

  // --- what a screen reader says ---
  // "Paso 3: avanzar 1,5 segundos"; for the empty row after the steps, where the next goes.
  QString StepSentence(int row) const;
  QString EmptyRowSentence() const;
  QString ValueEditorName(int row) const;

 private:
  friend class StepModels;
  StepModels& group_;
  StepListModel(StepModels& group, int list, QObject* parent);

  actions::ActionLists& Lists() const;
  const actions::StepRecord& Record(int row) const;
  QVariant DisplayData(const QModelIndex& index) const;
  QVariant AccessibleData(const QModelIndex& index, int role) const;
  QString ValueText(int row) const;
  QString SetName(int row, int column) const;
  // Rows from `row` to the last step changed (numbers shift, go-to targets follow).
  void RowsFromChanged(int row);
  actions::EditResult InsertRows(int row, int count, const std::function<actions::EditResult()>& change);
  actions::EditResult RemoveRows(int top, int bottom, const std::function<actions::EditResult()>& change);
  actions::EditResult PasteRows(int top);
  int PastedCount(int top) const;
  bool DropSteps(const QByteArray& payload, int target);

  int list_;
};

// The six list models and the commands that change every list at once.
class StepModels : public QObject {
  Q_OBJECT
 public:
  StepModels(actions::ActionLists& lists, QObject* parent);

  StepListModel* Model(int list) const { return models_.at(list - 1); }
  actions::ActionLists& Lists() const { return lists_; }

  actions::EditResult Undo();
  actions::EditResult Clear();
  // The document was replaced as a whole (a file was opened): every view starts over.
  void ListsReplaced();

  // The pictures the action column shows; set once the palette is known.
  void SetPictures(const KindPictures* pictures) { pictures_ = pictures; }
  const KindPictures* Pictures() const { return pictures_; }

 private:
  actions::EditResult ResetAll(const std::function<actions::EditResult()>& change);

  actions::ActionLists& lists_;
  std::array<StepListModel*, actions::kListCount> models_{};
  const KindPictures* pictures_ = nullptr;
};

}  // namespace ui
