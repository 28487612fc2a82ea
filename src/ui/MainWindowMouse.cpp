// The main window under the mouse: the wiring of the picture slots, the looks of the picture
// buttons, the help texts, moving the borderless window and rolling the help panel.

#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLocale>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTabBar>

#include "app/core/LayoutNumbers.h"
#include "app/core/Texts.h"
#include "ui/MainWindow.h"
#include "ui/PictureButtons.h"

namespace ui {

namespace {
constexpr int kHelpCornerEllipse = 50;

template <size_t N>
bool Contains(const std::array<int, N>& list, int slot) {
  return std::find(list.begin(), list.end(), slot) != list.end();
}
}  // namespace

void TMainForm::WirePictures() {
  for (int s = 1; s <= app::kPictureSlotCount; ++s) {
    app::PictureSlot* picture = Pictures[s];
    if (s >= app::kFirstTileSlot && s <= app::kLastTileSlot) {
      connect(picture, &app::PictureSlot::mouseMoved, this,
              [this](app::PictureSlot* p, QMouseEvent*) { ActionMouseMove(p); });
      connect(picture, &app::PictureSlot::mousePressed, this, &TMainForm::ActionMouseDown);
      connect(picture, &app::PictureSlot::doubleClicked, this, &TMainForm::ActionDblClick);
      continue;
    }
    if (Contains(kWindowDragSlots, s)) {
      connect(picture, &app::PictureSlot::mousePressed, this,
              [this](app::PictureSlot*, QMouseEvent* e) { FormMouseDown(e); });
      connect(picture, &app::PictureSlot::mouseReleased, this,
              [this](app::PictureSlot*, QMouseEvent*) { moving_ = false; });
    }
    const bool background = Contains(kBackgroundMoveSlots, s);
    const bool drag = Contains(kWindowDragSlots, s);
    if (background || drag) {
      connect(picture, &app::PictureSlot::mouseMoved, this,
              [this, background](app::PictureSlot*, QMouseEvent* e) {
                MoveWindowWhileDragging(e);
                if (background) BackgroundMouseMove();
              });
      continue;
    }
    for (const PictureButton& button : kPictureButtons) {
      if (s == button.Highlight) {
        picture->setCursor(Qt::PointingHandCursor);
        connect(picture, &app::PictureSlot::mousePressed, this, [this](app::PictureSlot* p, QMouseEvent* e) {
          if (e->button() == Qt::LeftButton) HighlightedButtonMouseDown(p);
        });
        connect(picture, &app::PictureSlot::mouseReleased, this, [this](app::PictureSlot* p, QMouseEvent* e) {
          // The highlight gives way to the pressed look only now, so that it keeps the mouse
          // until the button is released.
          if (e->button() == Qt::LeftButton && IsButtonTag(p->tag()) &&
              Pictures[ButtonOf(p->tag()).Pressed]->isVisible())
            p->hide();
        });
        connect(picture, &app::PictureSlot::clicked, this, &TMainForm::ButtonClick);
      } else if (s == button.Normal || s == button.Pressed || (!button.IsEditButton() && s == button.Cover)) {
        connect(picture, &app::PictureSlot::mouseMoved, this,
                [this](app::PictureSlot* p, QMouseEvent*) { ButtonMouseMove(p); });
      }
    }
  }
}

// --- button looks ---

void TMainForm::HideButtonLooks(bool editButtonsOnly) {
  for (const PictureButton& button : kPictureButtons) {
    if (editButtonsOnly && !button.IsEditButton()) continue;
    if (Pictures[button.Highlight] != nullptr) Pictures[button.Highlight]->hide();
    if (Pictures[button.Pressed] != nullptr) Pictures[button.Pressed]->hide();
  }
}

void TMainForm::ButtonMouseMove(app::PictureSlot* slot) {
  HideButtonLooks();
  const int tag = slot->tag();
  if (!IsButtonTag(tag)) return;
  Pictures[ButtonOf(tag).Highlight]->show();
  ShowHelpText(ButtonOf(tag).HelpText);
}

void TMainForm::HighlightedButtonMouseDown(app::PictureSlot* slot) {
  const int tag = slot->tag();
  if (!IsButtonTag(tag)) return;
  Pictures[ButtonOf(tag).Pressed]->show();
}

// --- mouse over the window ---

void TMainForm::BackgroundMouseMove() {
  HideButtonLooks();
  ShowHelpText(429);
  for (int s = app::kFirstTileSlot; s <= app::kLastTileSlot; ++s)
    if (Pictures[s] != nullptr) Pictures[s]->stopAnimation();
}

void TMainForm::ActionMouseMove(app::PictureSlot* tile) {
  HideButtonLooks(true);
  for (int s = app::kFirstTileSlot; s <= app::kLastTileSlot; ++s)
    if (Pictures[s] != tile) Pictures[s]->stopAnimation();
  tile->startAnimation(200);
  ShowHelpText(431);
}

void TMainForm::ActionMouseDown(app::PictureSlot*, QMouseEvent*) {}
void TMainForm::ActionDblClick(app::PictureSlot*) {}

void TMainForm::ShowHelpText(int textNumber) {
  // A notice stays readable for a while before the help under the mouse takes its place.
  const bool hoverHelp = textNumber >= kBlankHelpText && textNumber <= kLastHoverHelpText;
  if (hoverHelp && noticeShown_.isValid() && noticeShown_.elapsed() < kNoticeHoldMs) return;
  const QString text = app::LoadText(textNumber);
  if (HelpMemo->toPlainText() != text) HelpMemo->setPlainText(text);
}

void TMainForm::ShowHelpMessage(const QString& text) {
  noticeShown_.start();
  if (HelpMemo->toPlainText() != text) HelpMemo->setPlainText(text);
}

void TMainForm::ShowProgramSent(const QString& port, qint64 milliseconds) {
  const QString seconds = QLocale().toString(static_cast<double>(milliseconds) / 1000.0, 'f', 1);
  ShowHelpMessage(app::LoadText(kProgramSentText).arg(port, seconds));
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::MouseMove && event->type() != QEvent::Enter)
    return QWidget::eventFilter(watched, event);
  int text = 0;
  if (watched == HyperHelp)
    text = 441;
  else if (watched == SensorsEnabled)
    text = 440;
  else if (watched == SensorActionPanel)
    text = 443;
  else if (watched == SensorTabs || watched == SensorTabbedNotebook)
    text = SensorTabs->currentIndex() == 0 ? 438 : 439;
  if (text == 0) return QWidget::eventFilter(watched, event);
  ShowHelpText(text);
  // A plain move stops here: passed on, it would reach the window's background and blank
  // the help again.
  return event->type() == QEvent::MouseMove && static_cast<QMouseEvent*>(event)->buttons() == Qt::NoButton;
}

// --- moving the window by its background ---

void TMainForm::FormMouseDown(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  moving_ = true;
  lastCursor_ = event->globalPosition().toPoint();
}

void TMainForm::MoveWindowWhileDragging(QMouseEvent* event) {
  if (!moving_ || !(event->buttons() & Qt::LeftButton)) {
    moving_ = false;
    return;
  }
  const QPoint cursor = event->globalPosition().toPoint();
  move(pos() + (cursor - lastCursor_));
  lastCursor_ = cursor;
}

void TMainForm::mousePressEvent(QMouseEvent* event) {
  FormMouseDown(event);
}

void TMainForm::mouseMoveEvent(QMouseEvent* event) {
  MoveWindowWhileDragging(event);
  BackgroundMouseMove();
}

void TMainForm::mouseReleaseEvent(QMouseEvent*) {
  moving_ = false;
}

// --- help panel ---

void TMainForm::HyperHelpClick() {
  app::PictureSlot* g = Pictures[ButtonOf(kGoButton).Normal];
  app::PictureSlot* b = Pictures[app::kBottomStripSlot];
  app::PictureSlot* c = Pictures[app::kCornerSlot];
  if (g == nullptr || b == nullptr || c == nullptr) return;
  const int below = g->y() + g->height();
  if (HyperHelp->isChecked()) {
    const int unroll = HelpMemo->height() + 15;
    resize(width(), below + 15 + HelpMemo->height() + 15);
    b->move(b->x(), height() - b->height() - 1);
    c->move(c->x(), height() - c->height() - 1);
    // The window unrolls downward one pixel at a time.
    for (int n = unroll; n >= 0; --n) {
      SetWindowRegion(height() - n, kHelpCornerEllipse);
      QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    HelpMemo->show();
    ShowHelpText(429);
  } else {
    HelpMemo->hide();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    SetWindowRegion(below + 4 + b->height(), kHelpCornerEllipse);
    b->move(b->x(), below + 4);
    c->move(c->x(), below + 4);
    resize(width(), below + 15 + b->height());
  }
  FocusCurrentGrid();
}

void TMainForm::SensorsEnabledClick() {
  SensorActionPanel->setEnabled(SensorsEnabled->isChecked());
  FocusCurrentGrid();
}

}  // namespace ui
