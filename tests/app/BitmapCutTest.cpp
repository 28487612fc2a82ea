// Cutting a rectangle out of a bitmap gives the same pixels as decoding it whole and copying.

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <cstdint>

#include "app/BitmapCut.h"

namespace {

void Put16(QByteArray& bytes, int value) {
  for (int i = 0; i < 2; ++i) bytes.append(char((value >> (8 * i)) & 0xFF));
}
void Put32(QByteArray& bytes, std::int64_t value) {
  for (int i = 0; i < 4; ++i) bytes.append(char((value >> (8 * i)) & 0xFF));
}

// An uncompressed bitmap whose every pixel differs from its neighbours.
QByteArray MakeBitmap(int width, int height, int bits, bool topDown) {
  const int rowBytes = ((width * bits + 31) / 32) * 4;
  const int paletteSize = bits == 8 ? 256 : 0;
  const int pixelsAt = 14 + 40 + 4 * paletteSize;
  QByteArray bytes("BM");
  Put32(bytes, pixelsAt + rowBytes * height);
  Put32(bytes, 0);
  Put32(bytes, pixelsAt);
  Put32(bytes, 40);
  Put32(bytes, width);
  Put32(bytes, topDown ? -height : height);
  Put16(bytes, 1);
  Put16(bytes, bits);
  for (int field : {0, rowBytes * height, 2835, 2835, paletteSize, 0}) Put32(bytes, field);
  for (int i = 0; i < paletteSize; ++i) {
    bytes.append(char(i));               // blue
    bytes.append(char(255 - i));         // green
    bytes.append(char((i * 7) & 0xFF));  // red
    bytes.append('\0');
  }
  for (int row = 0; row < height; ++row) {
    QByteArray line(rowBytes, '\0');
    for (int x = 0; x < width * bits / 8; ++x) line[x] = char((row * 31 + x * 17) & 0xFF);
    bytes.append(line);
  }
  return bytes;
}

QImage Whole(const QByteArray& bytes, const QRect& area) {
  const QImage whole = QImage::fromData(bytes);
  return whole.copy(area.intersected(whole.rect())).convertToFormat(QImage::Format_RGB32);
}

TEST(BitmapCut, TheCutHasThePixelsOfTheWholePicture) {
  const struct {
    int width, height, bits;
    bool topDown;
    QRect area;
  } cases[] = {
      {801, 577, 8, false, QRect(40, 100, 361, 130)},  // the intro's strip
      {50, 40, 8, true, QRect(3, 5, 20, 10)},
      {13, 9, 24, false, QRect(1, 2, 7, 5)},  // rows padded to four bytes
      {13, 9, 24, true, QRect(0, 0, 13, 9)},
      {30, 20, 8, false, QRect(25, 15, 20, 20)},  // partly outside: the part inside
      {30, 20, 8, false, QRect(-5, -5, 10, 10)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << "x" << c.bits
                                    << (c.topDown ? " top-down" : ""));
    const QByteArray bytes = MakeBitmap(c.width, c.height, c.bits, c.topDown);
    const QImage cut = app::CutBitmap(bytes, c.area);
    const QImage expected = Whole(bytes, c.area);
    ASSERT_FALSE(expected.isNull());
    EXPECT_EQ(cut.size(), expected.size());
    EXPECT_TRUE(cut.convertToFormat(QImage::Format_RGB32) == expected);
  }
}

TEST(BitmapCut, OtherPicturesGoThroughQtsReaderAndNonPicturesGiveNothing) {
  QImage picture(20, 10, QImage::Format_RGB32);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 20; ++x) picture.setPixel(x, y, qRgb(x * 12, y * 25, 7));
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  picture.save(&buffer, "PNG");
  EXPECT_TRUE(app::CutBitmap(png, QRect(2, 3, 5, 4)).convertToFormat(QImage::Format_RGB32) ==
              picture.copy(2, 3, 5, 4));

  const QByteArray bitmap = MakeBitmap(30, 20, 8, false);
  EXPECT_TRUE(app::CutBitmap(bitmap, QRect(40, 40, 5, 5)).isNull()) << "an area that misses the picture";
  EXPECT_TRUE(app::CutBitmap(QByteArray("BM not a picture at all"), QRect(0, 0, 5, 5)).isNull());
  EXPECT_TRUE(app::CutBitmap(QByteArray(), QRect(0, 0, 5, 5)).isNull());
  // A bitmap cut short is never read past its end.
  for (int keep : {20, 60, 1000, 1100, int(bitmap.size()) - 1})
    EXPECT_NO_FATAL_FAILURE(app::CutBitmap(bitmap.left(keep), QRect(0, 0, 30, 20))) << keep;
}

}  // namespace
