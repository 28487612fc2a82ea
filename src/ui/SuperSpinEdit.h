#pragma once
// A numeric edit box with up and down arrows that edits a scaled integer, e.g. tenths of a
// second shown as "1,2 seg". The rules (limits, text, typing, stepping, acceleration) are
// actions::SpinValue; this class is its edit box and arrows.

#include <QLineEdit>
#include <QPersistentModelIndex>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "actions/SpinValue.h"

namespace ui {

// The up-down arrows: a press steps at once and repeats while held; the release ends the
// acceleration.
class SpinArrows : public QWidget {
  Q_OBJECT
 public:
  explicit SpinArrows(QWidget* parent);
  static constexpr int kWidth = 17;

 signals:
  void stepClicked(bool up);
  void stepReleased();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;

 private:
  void Repeat();
  QTimer repeat_;
  int pressed_ = 0;  // 1 up, -1 down, 0 none
};

class TSuperSpinEdit : public QObject {
  Q_OBJECT
 public:
  // The edit box and arrows are made as children of `parent`.
  explicit TSuperSpinEdit(QWidget* parent, const actions::NumberFormat& format);
  ~TSuperSpinEdit() override;

  enum Bound { kLeft = 0, kTop = 1, kWidth = 2, kHeight = 3 };
  void SetBound(int which, int value);
  void SetAffix(int which, const QString& text);
  int SetLimit(int which, int value);
  void SetFormat(int which, int value);
  void SetShown(bool shown);
  void BindValue(std::int16_t* value);
  // Moves both parts into another parent widget.
  void SetParent(QWidget* parent);

  // Shows the step of `index` (the action column of a list model) with the limits of its
  // kind and row. The editor keeps the step's persistent index: what it reports belongs to
  // that step, wherever the rows scroll or move; the owner writes it through the model.
  void ShowStep(const QModelIndex& index);
  // Drops the binding; the editor then belongs to no step.
  void Unbind();
  const QPersistentModelIndex& Index() const { return index_; }
  // The list and the 1-based row of the step it belongs to; 0 when none.
  int BoundList() const;
  int BoundRow() const { return index_.isValid() ? index_.row() + 1 : 0; }
  bool IsBound() const { return index_.isValid() || value_.Bound() != nullptr; }

  // Whether the edit box holds the focus (the user may be typing into it).
  bool IsEditing() const { return edit_->hasFocus(); }
  // Ends typing and gives the focus to `next`: Commit stores the typed text into the bound
  // step, as leaving the box does; Cancel forgets it and drops the binding first, for when
  // the bound step is no longer the one the user was typing into.
  void CommitEdit(QWidget* next);
  void CancelEdit(QWidget* next);
  // Moves the edit in progress, unfinished, into `other`: its step, the typed text, the
  // cursor and selection, and the focus. This editor lets go of the step without storing.
  void HandEditTo(TSuperSpinEdit& other);

  // Called when the edit box has lost the focus to another widget of the window (the typed
  // text already read), not when the whole window merely became inactive.
  std::function<void(TSuperSpinEdit* sender)> OnEditEnded;

  // Called with the new position after the user changed it.
  std::function<void(TSuperSpinEdit* sender, std::int16_t position)> OnValueChange;

  bool IsShown() const { return shown_; }
  const actions::SpinValue& Value() const { return value_; }
  actions::SpinValue& Value() { return value_; }
  QLineEdit* Edit() const { return edit_; }
  SpinArrows* Arrows() const { return arrows_; }
  QString Text() const { return edit_->text(); }

  // Used by the event filter of the edit box.
  void Redisplay(bool withAffixes);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Place();
  void Changed(std::int16_t position);

  actions::SpinValue value_;
  QLineEdit* edit_ = nullptr;
  SpinArrows* arrows_ = nullptr;
  int left_ = 0, top_ = 0, width_ = 80, height_ = 25;
  bool shown_ = true;
  bool parsing_ = false;
  bool discarding_ = false;  // the focus leaves without the typed text being read
  QPersistentModelIndex index_;
};

}  // namespace ui
