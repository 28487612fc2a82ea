// Pictures follow the screen's density: at a device pixel ratio above 1 (ctest runs this suite
// once more with QT_SCALE_FACTOR=2) the picture slots and the other windows' pictures come from
// the pictures drawn at twice the size, with the pixmap's device pixel ratio 2 and the same
// geometry in logical pixels; at ratio 1 from the plain ones.

#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>

#include "QtEnvironment.h"
#include "app/Pictures.h"

namespace {

qreal ExpectedRatio() {
  return qApp->devicePixelRatio() > 1 ? 2 : 1;
}

TEST(SharpPictures, SlotsDrawTheirPictureAtTheScreensDensity) {
  const qreal ratio = ExpectedRatio();
  QWidget window;
  const app::PictureSlots pictures = app::CreatePictures(&window, false);
  const struct {
    const char* what;
    int slot;
    QSize size;  // logical pixels, from the layout record
  } cases[] = {
      {"background (BMP, PNG at 2x)", 1, {801, 577}},
      {"edge strip drawn pixel by pixel", 3, {19, 485}},
      {"mascot", 12, {100, 160}},
      {"animated palette tile", 14, {54, 54}},
      {"button with words", 42, {75, 39}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const app::PictureSlot* picture = pictures[c.slot];
    ASSERT_TRUE(picture->hasPicture());
    EXPECT_EQ(picture->size(), c.size);
    EXPECT_EQ(picture->pictureRatio(), ratio);
    const QPixmap frame = picture->firstFrame();
    EXPECT_EQ(frame.devicePixelRatio(), ratio);
    EXPECT_EQ(frame.size(), c.size * ratio);
    EXPECT_EQ(frame.deviceIndependentSize().toSize(), c.size);
  }
}

TEST(SharpPictures, WindowPicturesComeAtTheScreensDensity) {
  const qreal ratio = ExpectedRatio();
  QWidget window;
  for (const char* alias : {"warning", "test_robot", "card_blue", "button_green_normal"}) {
    SCOPED_TRACE(alias);
    const QPixmap plain = app::WindowPicture(QString::fromLatin1(alias), nullptr);
    const QPixmap shown = app::WindowPicture(QString::fromLatin1(alias), &window);
    ASSERT_FALSE(plain.isNull());
    EXPECT_EQ(plain.devicePixelRatio(), 1);
    EXPECT_EQ(shown.devicePixelRatio(), ratio);
    EXPECT_EQ(shown.size(), plain.size() * ratio);
  }
  EXPECT_TRUE(app::WindowPicture(QStringLiteral("no_such_picture"), &window).isNull());
}

}  // namespace
