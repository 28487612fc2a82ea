#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QMovie>
#include <vector>

#include "ResourceRecords.h"

namespace look {
namespace {

// The languages whose pictures with words the build carries.
const char* const kLanguages[] = {"es", "en"};

// A picture of one language: its own with words where present, else the shared one.
std::optional<QByteArray> Picture(const QString& type, int number, const char* language) {
  if (auto own = Resource(QStringLiteral(":/%1/%2/%3").arg(QLatin1String(language), type).arg(number)))
    return own;
  return Resource(QStringLiteral(":/%1/%2").arg(type).arg(number));
}

// The picture of a slot in a mode: resource s + 270 in the advanced mode where present,
// else s + 180; slot 1 is the "BMP" picture, the others "GIF".
std::optional<QByteArray> SlotPicture(int slot, bool advanced, const char* language = "es") {
  const QString type = slot == 1 ? QStringLiteral("BMP") : QStringLiteral("GIF");
  if (advanced) {
    if (auto bytes = Picture(type, slot + 270, language)) return bytes;
  }
  return Picture(type, slot + 180, language);
}

QImage Decode(const QByteArray& bytes) {
  QImage image = QImage::fromData(bytes);
  return image.convertToFormat(QImage::Format_ARGB32);
}

TEST(Artwork, EverySlotWithALayoutHasAPictureOfItsSize) {
  for (const char* language : kLanguages)
    for (bool advanced : {false, true}) {
      for (int slot = 1; slot <= 65; ++slot) {
        const auto n = Effective(slot, advanced);
        if (!n) continue;
        const auto f = PictureRecord(*Record(*n));
        const auto bytes = SlotPicture(slot, advanced, language);
        ASSERT_TRUE(bytes) << language << " slot " << slot << (advanced ? " advanced" : " beginner");
        const QImage image = Decode(*bytes);
        ASSERT_FALSE(image.isNull()) << "slot " << slot;
        const bool stretch = f[5] & 1;
        if (!stretch) {
          EXPECT_EQ(image.size(), QSize(f[3], f[4])) << "slot " << slot << " record " << *n;
        }
      }
    }
}

TEST(Artwork, OnlyThePicturesOfThisBuildExist) {
  for (const char* language : kLanguages)
    for (int n = 181; n <= 340; ++n) {
      const bool gif = Picture(QStringLiteral("GIF"), n, language).has_value();
      const bool expected = (n >= 182 && n <= 245 && n != 190) || n == 278 || n == 279 || n == 280;
      EXPECT_EQ(gif, expected) << language << " GIF " << n;
    }
  EXPECT_TRUE(Resource(QStringLiteral(":/BMP/181")));
  EXPECT_FALSE(Resource(QStringLiteral(":/BMP/271")));
}

// Pictures drawn without transparency cover their whole rectangle: the background and the
// window's edges, which must hide whatever lies under them.
TEST(Artwork, OpaquePicturesHaveNoHoles) {
  for (bool advanced : {false, true}) {
    for (int slot = 1; slot <= 65; ++slot) {
      const auto n = Effective(slot, advanced);
      if (!n || (PictureRecord(*Record(*n))[6] & 1)) continue;
      const QImage image = Decode(*SlotPicture(slot, advanced));
      for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
          ASSERT_EQ(qAlpha(image.pixel(x, y)), 255) << "slot " << slot << " at " << x << "," << y;
    }
  }
}

// A disabled button's cover lies over its normal look and must hide it everywhere.
TEST(Artwork, ButtonCoversHideTheNormalLook) {
  for (const char* language : kLanguages)
    for (int first = 22; first <= 62; first += 4) {
      const QImage normal = Decode(*SlotPicture(first, false, language));
      const QImage cover = Decode(*SlotPicture(first + 3, false, language));
      ASSERT_EQ(normal.size(), cover.size()) << "slot " << first;
      for (int y = 0; y < normal.height(); ++y)
        for (int x = 0; x < normal.width(); ++x)
          ASSERT_GE(qAlpha(cover.pixel(x, y)) + 8, qAlpha(normal.pixel(x, y)))
              << "button slot " << first << " at " << x << "," << y;
    }
}

// The looks of one button must differ, or hovering and pressing would show nothing.
TEST(Artwork, ButtonLooksDiffer) {
  for (const char* language : kLanguages)
    for (int first = 22; first <= 62; first += 4) {
      std::vector<QImage> looks;
      for (int look = 0; look < 4; ++look)
        looks.push_back(Decode(*SlotPicture(first + look, false, language)));
      for (size_t a = 0; a < looks.size(); ++a)
        for (size_t b = a + 1; b < looks.size(); ++b)
          EXPECT_NE(looks[a], looks[b]) << "slot " << first << " looks " << a << " and " << b;
    }
}

// The pictures with words (title band, frame captions, buttons) exist once per language and
// differ between the languages; the wordless ones are shared.
TEST(Artwork, PicturesWithWordsComeInEveryLanguage) {
  const std::vector<int> worded = [] {
    std::vector<int> numbers = {185, 187, 188, 278, 280};
    for (int n = 202; n <= 245; ++n) numbers.push_back(n);
    return numbers;
  }();
  for (int n : worded) {
    EXPECT_FALSE(Resource(QStringLiteral(":/GIF/%1").arg(n))) << n << " must not be shared";
    const auto spanish = Resource(QStringLiteral(":/es/GIF/%1").arg(n));
    const auto english = Resource(QStringLiteral(":/en/GIF/%1").arg(n));
    ASSERT_TRUE(spanish && english) << n;
    EXPECT_NE(*spanish, *english) << n;
  }
}

TEST(Artwork, PaletteTilesAreLoopingAnimationsWithClearCorners) {
  for (int slot = 14; slot <= 21; ++slot) {
    QByteArray bytes = *SlotPicture(slot, false);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    ASSERT_TRUE(reader.supportsAnimation()) << "slot " << slot;
    EXPECT_GT(reader.imageCount(), 1) << "slot " << slot;
    EXPECT_EQ(reader.loopCount(), -1) << "slot " << slot << " must loop forever";
    const QImage first = reader.read().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(first.size(), QSize(54, 54)) << "slot " << slot;
    EXPECT_EQ(qAlpha(first.pixel(0, 0)), 0) << "slot " << slot;
    EXPECT_EQ(qAlpha(first.pixel(53, 53)), 0) << "slot " << slot;
    EXPECT_EQ(qAlpha(first.pixel(27, 27)), 255) << "slot " << slot;
    EXPECT_GT(reader.nextImageDelay(), 0) << "slot " << slot;
  }
}

// Every tile shows its own kind, and moves: no two first frames alike, no frame repeating
// the first one in the middle of the move.
TEST(Artwork, PaletteTilesShowDifferentMoves) {
  std::vector<QImage> firsts;
  for (int slot = 14; slot <= 21; ++slot) {
    QByteArray bytes = *SlotPicture(slot, false);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QImage first = reader.read().convertToFormat(QImage::Format_ARGB32);
    QImage middle;
    for (int i = 1; i <= reader.imageCount() / 2; ++i) middle = reader.read();
    middle = middle.convertToFormat(QImage::Format_ARGB32);
    ASSERT_FALSE(middle.isNull()) << "slot " << slot;
    EXPECT_NE(first, middle) << "slot " << slot << " does not move";
    for (size_t i = 0; i < firsts.size(); ++i)
      EXPECT_NE(firsts[i], first) << "slots " << 14 + i << " and " << slot << " look alike";
    firsts.push_back(first);
  }
}

TEST(Artwork, PicturesOfOtherWindowsHaveTheirSizes) {
  struct Piece {
    const char* alias;
    QSize size;
  };
  const std::vector<Piece> pieces = {
      {"test_robot", {190, 330}},           {"whisker_left_rest", {70, 104}},
      {"whisker_left_pressed", {70, 104}},  {"whisker_right_rest", {70, 104}},
      {"whisker_right_pressed", {70, 104}}, {"warning", {32, 32}},
      {"sensor_set_tile", {23, 23}},
  };
  for (const auto& p : pieces) {
    const auto bytes = Resource(QStringLiteral(":/PIC/%1").arg(QLatin1String(p.alias)));
    ASSERT_TRUE(bytes) << p.alias;
    EXPECT_EQ(Decode(*bytes).size(), p.size) << p.alias;
  }
  // The two looks of a whisker differ, so a pressed whisker shows.
  EXPECT_NE(Decode(*Resource(":/PIC/whisker_left_rest")), Decode(*Resource(":/PIC/whisker_left_pressed")));
}

}  // namespace
}  // namespace look
