#include <gtest/gtest.h>

#include <QImage>
#include <vector>

#include "ResourceRecords.h"

namespace look {
namespace {

// The window's edge pictures as the window places them: the background (slot 1), the bottom
// strip (2), the right strip (3) and the corner piece (4), later slots on top. The help panel
// moves the bottom strip and the corner and sets the window's height.
struct Edges {
  int width = 0, height = 0;
  struct Placed {
    QImage image;
    QPoint at;
  };
  std::vector<Placed> layers;  // top first

  QRgb Pixel(int x, int y) const {
    for (const auto& p : layers) {
      const QPoint local = QPoint(x, y) - p.at;
      if (!p.image.rect().contains(local)) continue;
      const QRgb c = p.image.pixel(local);
      if (qAlpha(c) == 255) return c;
    }
    return qRgba(0, 0, 0, 0);
  }
};

QImage SlotImage(int slot, bool advanced) {
  const QString type = slot == 1 ? QStringLiteral("BMP") : QStringLiteral("GIF");
  auto bytes = advanced ? Resource(QStringLiteral(":/%1/%2").arg(type).arg(slot + 270)) : std::nullopt;
  if (!bytes) bytes = Resource(QStringLiteral(":/%1/%2").arg(type).arg(slot + 180));
  return QImage::fromData(*bytes).convertToFormat(QImage::Format_ARGB32);
}

Edges Place(bool advanced, bool help) {
  Edges e;
  const auto go = PictureRecord(*Record(*Effective(42, advanced)));
  const int goBottom = go[2] + go[4];
  const int memoHeight = ControlRect(*Record(*Effective(74, advanced))).height();
  e.width = ControlRect(*Record(*Effective(75, advanced))).width();
  // With help: the window ends 15 pixels under the memo, strip and corner 1 pixel above the
  // bottom. Without: the region ends with the strip, 4 pixels under the Go button.
  e.height = help ? goBottom + 15 + memoHeight + 15 : goBottom + 4 + 18;
  const int stripTop = help ? e.height - 18 - 1 : goBottom + 4;
  const int cornerTop = help ? e.height - 19 - 1 : goBottom + 4;
  auto left = [advanced](int slot) { return PictureRecord(*Record(*Effective(slot, advanced)))[1]; };
  auto top = [advanced](int slot) { return PictureRecord(*Record(*Effective(slot, advanced)))[2]; };
  e.layers.push_back({SlotImage(4, advanced), {left(4), cornerTop}});
  e.layers.push_back({SlotImage(3, advanced), {left(3), top(3)}});
  e.layers.push_back({SlotImage(2, advanced), {left(2), stripTop}});
  e.layers.push_back({SlotImage(1, advanced), {0, 0}});
  return e;
}

bool IsOutline(QRgb c) {
  return qAlpha(c) == 255 && qGray(c) < 110;
}

// Below the header, the left, right and bottom edges of the window show the dark outline in
// both modes with the help panel on and off; the rounded corners (radius 25) are left out.
TEST(WindowEdges, OutlineRunsRoundTheWindowInEveryState) {
  const int belowHeader = 60, corner = 25;
  for (bool advanced : {false, true}) {
    for (bool help : {true, false}) {
      const Edges e = Place(advanced, help);
      const char* state = advanced ? (help ? "advanced, help on" : "advanced, help off")
                                   : (help ? "beginner, help on" : "beginner, help off");
      for (int y = belowHeader; y < e.height - corner; ++y) {
        ASSERT_TRUE(IsOutline(e.Pixel(0, y))) << state << ": left edge, row " << y;
        ASSERT_TRUE(IsOutline(e.Pixel(e.width - 1, y))) << state << ": right edge, row " << y;
      }
      for (int x = corner; x < e.width - corner; ++x)
        ASSERT_TRUE(IsOutline(e.Pixel(x, e.height - 1))) << state << ": bottom edge, column " << x;
      // Just inside the outline the window is light, not a thick dark band.
      EXPECT_FALSE(IsOutline(e.Pixel(e.width / 2, e.height - 6))) << state;
      EXPECT_FALSE(IsOutline(e.Pixel(e.width - 6, e.height / 2))) << state;
    }
  }
}

}  // namespace
}  // namespace look
