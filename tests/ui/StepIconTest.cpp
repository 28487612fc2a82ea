// The pictures of the step slots: at the size of a step row, a rotation to the left and one to
// the right must be told apart at a glance.

#include <gtest/gtest.h>

#include <QImage>

#include "GridWindow.h"
#include "ui/BotActionIcon.h"

namespace {
using actions::ActionKind;
using gridtest::GridWindow;

// Dark pixels in the upper two thirds of the left (or right) third of the picture: where the
// head of a turning arrow sits.
int SideInk(const QImage& image, bool left) {
  const int third = image.width() / 3;
  const int from = left ? 0 : image.width() - third;
  int ink = 0;
  for (int y = 0; y < image.height() * 2 / 3; ++y)
    for (int x = from; x < from + third; ++x) ink += qGray(image.pixel(x, y)) < 120;
  return ink;
}

QImage SlotPicture(GridWindow& w, int slot) {
  QImage image(ui::TBotAction::kIconSize, ui::TBotAction::kIconSize, QImage::Format_ARGB32);
  image.fill(Qt::white);
  w.slot(1, slot)->Icon->render(&image);
  return image;
}

TEST(StepIconTest, TheTwoRotationsLeanToTheirOwnSide) {
  GridWindow w(false);
  w.append(1, ActionKind::RotateLeft);
  w.append(1, ActionKind::RotateRight);
  w.grid(1)->SetTopRow(1);
  const QImage left = SlotPicture(w, 1), right = SlotPicture(w, 2);
  // The arrow's head adds a clear patch of ink on its own side; the tile's thin arrows, merely
  // scaled down, leave the two sides alike.
  constexpr int kLean = 5;
  EXPECT_GE(SideInk(left, true) - SideInk(left, false), kLean);
  EXPECT_GE(SideInk(right, false) - SideInk(right, true), kLean);
}

TEST(StepIconTest, OtherKindsKeepTheirTilePicture) {
  GridWindow w(false);
  const ui::KindPictures& frames = w.steps()->Pictures();
  for (ActionKind kind : {ActionKind::Forward, ActionKind::TurnLeft, ActionKind::GoToStep}) {
    const QPixmap frame = frames[static_cast<int>(kind)];
    const QImage drawn = ui::StepIcon(frame, kind, 25).toImage();
    const QImage scaled = frame.scaled(25, 25, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).toImage();
    int differing = 0;
    for (int y = 0; y < 25; ++y)
      for (int x = 0; x < 25; ++x)
        differing += std::abs(qGray(drawn.pixel(x, y)) - qGray(scaled.pixel(x, y))) > 40;
    EXPECT_LT(differing, 10) << static_cast<int>(kind);
  }
}

}  // namespace
