#include "ui/SuperSpinEdit.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>

#include "app/core/Texts.h"
#include "ui/StepListModel.h"

namespace ui {

namespace {
constexpr int kFirstRepeatMs = 400;
constexpr int kRepeatMs = 60;
}  // namespace

// --- arrows ---

SpinArrows::SpinArrows(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::StrongFocus);
  setCursor(Qt::ArrowCursor);
  connect(&repeat_, &QTimer::timeout, this, &SpinArrows::Repeat);
}

void SpinArrows::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const int half = height() / 2;
  const QColor face(0xE0, 0xE0, 0xE0);
  for (int part = 0; part < 2; ++part) {
    const QRect box(0, part * half, width(), part == 0 ? half : height() - half);
    const bool down = (part == 0 && pressed_ == 1) || (part == 1 && pressed_ == -1);
    painter.fillRect(box, down ? face.darker(120) : face);
    painter.setPen(QColor(0x80, 0x80, 0x80));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    const int cx = box.center().x() + 1, cy = box.center().y() + 1;
    QPolygon arrow;
    if (part == 0)
      arrow << QPoint(cx - 3, cy + 1) << QPoint(cx + 3, cy + 1) << QPoint(cx, cy - 2);
    else
      arrow << QPoint(cx - 3, cy - 1) << QPoint(cx + 3, cy - 1) << QPoint(cx, cy + 2);
    painter.setBrush(isEnabled() ? Qt::black : Qt::gray);
    painter.setPen(Qt::NoPen);
    painter.drawPolygon(arrow);
  }
}

void SpinArrows::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  setFocus(Qt::MouseFocusReason);
  pressed_ = event->position().y() < height() / 2 ? 1 : -1;
  update();
  emit stepClicked(pressed_ == 1);
  repeat_.start(kFirstRepeatMs);
}

void SpinArrows::Repeat() {
  if (pressed_ == 0) {
    repeat_.stop();
    return;
  }
  repeat_.setInterval(kRepeatMs);
  emit stepClicked(pressed_ == 1);
}

void SpinArrows::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || pressed_ == 0) return;
  pressed_ = 0;
  repeat_.stop();
  update();
  emit stepReleased();
}

void SpinArrows::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
    emit stepClicked(event->key() == Qt::Key_Up);
    return;
  }
  QWidget::keyPressEvent(event);
}

void SpinArrows::keyReleaseEvent(QKeyEvent* event) {
  if ((event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) && !event->isAutoRepeat()) {
    emit stepReleased();
    return;
  }
  QWidget::keyReleaseEvent(event);
}

// --- the edit ---

TSuperSpinEdit::TSuperSpinEdit(QWidget* parent, const actions::NumberFormat& format)
    : QObject(parent), value_(format) {
  edit_ = new QLineEdit(parent);
  edit_->setFrame(false);
  QFont font(QStringLiteral("Arial"));
  font.setBold(true);
  font.setPixelSize(14);
  edit_->setFont(font);
  edit_->setTextMargins(0, 0, 0, 0);
  edit_->setContentsMargins(0, 0, 0, 0);
  edit_->installEventFilter(this);
  arrows_ = new SpinArrows(parent);
  value_.SetLimit(actions::SpinValue::kAccelThreshold, 32767);
  value_.SetFormat(actions::SpinValue::kAccelFactor, 1);
  value_.OnValueChange = [this](std::int16_t position) { Changed(position); };
  connect(arrows_, &SpinArrows::stepClicked, this, [this](bool up) {
    value_.StepClicked(up);  // stores the position and tells OnValueChange
  });
  connect(arrows_, &SpinArrows::stepReleased, this, [this] { value_.StepReleased(); });
  Place();
}

TSuperSpinEdit::~TSuperSpinEdit() {
  value_.OnValueChange = nullptr;
}

void TSuperSpinEdit::Place() {
  const int editWidth = std::max(0, width_ - SpinArrows::kWidth);
  edit_->setGeometry(left_, top_ + 4, editWidth, std::max(0, height_ - 4));
  arrows_->setGeometry(left_ + editWidth - 4, top_, SpinArrows::kWidth, height_);
  arrows_->raise();
}

void TSuperSpinEdit::SetBound(int which, int value) {
  switch (which) {
    case kLeft:
      left_ = value;
      break;
    case kTop:
      top_ = value;
      break;
    case kWidth:
      width_ = value;
      break;
    case kHeight:
      height_ = value;
      break;
    default:
      return;
  }
  Place();
}

void TSuperSpinEdit::SetAffix(int which, const QString& text) {
  value_.SetAffix(which, text.toStdString());
  Redisplay(true);
}

int TSuperSpinEdit::SetLimit(int which, int value) {
  const int position = value_.SetLimit(which, value);
  Redisplay(true);
  return position;
}

void TSuperSpinEdit::SetFormat(int which, int value) {
  value_.SetFormat(which, value);
  Redisplay(true);
}

void TSuperSpinEdit::SetShown(bool shown) {
  shown_ = shown;
  edit_->setVisible(shown);
  arrows_->setVisible(shown);
}

void TSuperSpinEdit::SetParent(QWidget* parent) {
  const bool shown = shown_;
  setParent(parent);
  edit_->setParent(parent);
  arrows_->setParent(parent);
  Place();
  SetShown(shown);
}

void TSuperSpinEdit::BindValue(std::int16_t* value) {
  if (value == nullptr) index_ = QPersistentModelIndex();
  value_.BindValue(value);
  Redisplay(!edit_->hasFocus());
}

void TSuperSpinEdit::ShowStep(const QModelIndex& index) {
  const auto* model = qobject_cast<const StepListModel*>(index.model());
  if (model == nullptr) {
    Unbind();
    return;
  }
  const int row = StepListModel::StepRow(index);
  const auto kind = static_cast<actions::ActionKind>(index.data(StepListModel::KindRole).toInt());
  actions::ShowValueInEditor(value_, kind, row, index.data(StepListModel::ValueRole).toInt(),
                             app::LoadText(actions::kStepPrefixText).toStdString(),
                             app::LoadText(actions::kSecondsSuffixText).toStdString());
  index_ = QPersistentModelIndex(index);
  edit_->setAccessibleName(model->ValueEditorName(row));
  edit_->setAccessibleDescription(model->StepSentence(row));
  arrows_->setAccessibleName(model->ValueEditorName(row));
  Redisplay(!edit_->hasFocus());
}

int TSuperSpinEdit::BoundList() const {
  const auto* model = qobject_cast<const StepListModel*>(index_.model());
  return model != nullptr && index_.isValid() ? model->List() : 0;
}

void TSuperSpinEdit::Unbind() {
  value_.BindValue(nullptr);
  index_ = QPersistentModelIndex();
}

void TSuperSpinEdit::CommitEdit(QWidget* next) {
  if (!edit_->hasFocus()) return;
  if (next != nullptr) next->setFocus(Qt::OtherFocusReason);
  if (edit_->hasFocus()) edit_->clearFocus();  // no other widget could take it
}

void TSuperSpinEdit::CancelEdit(QWidget* next) {
  if (!edit_->hasFocus()) return;
  Unbind();
  discarding_ = true;
  CommitEdit(next);
  discarding_ = false;
  Redisplay(true);
}

void TSuperSpinEdit::HandEditTo(TSuperSpinEdit& other) {
  if (!IsEditing() || &other == this) return;
  const QString text = edit_->text();
  const int cursor = edit_->cursorPosition();
  const int selectionStart = edit_->selectionStart();
  const int selectionLength = edit_->selectionLength();
  other.ShowStep(index_);
  CancelEdit(other.Edit());
  // Getting the focus showed the stored number; the user's unfinished text replaces it.
  QLineEdit* target = other.Edit();
  target->setText(text);
  if (selectionStart >= 0 && selectionLength > 0) {
    // The cursor stays at whichever end of the selection it was.
    const bool cursorAtStart = cursor == selectionStart;
    target->setSelection(cursorAtStart ? selectionStart + selectionLength : selectionStart,
                         cursorAtStart ? -selectionLength : selectionLength);
  } else {
    target->setCursorPosition(cursor);
  }
}

void TSuperSpinEdit::Redisplay(bool withAffixes) {
  const QString text = QString::fromStdString(value_.Redisplay(withAffixes));
  if (edit_->text() != text) edit_->setText(text);
}

void TSuperSpinEdit::Changed(std::int16_t position) {
  Redisplay(!edit_->hasFocus() || parsing_);
  if (OnValueChange) OnValueChange(this, position);
}

bool TSuperSpinEdit::eventFilter(QObject* watched, QEvent* event) {
  if (watched != edit_) return QObject::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::FocusIn:
      // The bare number, so that it can be typed over.
      Redisplay(false);
      break;
    case QEvent::FocusOut: {
      if (!discarding_) {
        parsing_ = true;
        value_.ParseText(edit_->text().toStdString());
        parsing_ = false;
        Redisplay(true);
      }
      const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
      const bool windowLeft = reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
      if (!windowLeft && OnEditEnded) OnEditEnded(this);
      break;
    }
    case QEvent::KeyPress: {
      auto* key = static_cast<QKeyEvent*>(event);
      if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        arrows_->setFocus(Qt::OtherFocusReason);  // the edit box loses the focus and reads the text
        return true;
      }
      if (key->key() == Qt::Key_Backspace) return false;
      const QString text = key->text();
      if (text.isEmpty() || key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
      for (const char32_t ch : text.toUcs4())
        if (!value_.FilterKey(ch)) return true;  // dropped
      return false;
    }
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace ui
