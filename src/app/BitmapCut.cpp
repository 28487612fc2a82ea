#include "app/BitmapCut.h"

#include <QBuffer>
#include <QImageReader>
#include <cstdint>
#include <cstring>

namespace app {

namespace {
// File header (14 bytes) then the info header; little-endian fields.
constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderMinimum = 40;

std::uint32_t Read32(const QByteArray& bytes, qsizetype at) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<std::uint8_t>(bytes[at + i]);
  return value;
}
std::uint16_t Read16(const QByteArray& bytes, qsizetype at) {
  return static_cast<std::uint16_t>(static_cast<std::uint8_t>(bytes[at]) |
                                    (static_cast<std::uint8_t>(bytes[at + 1]) << 8));
}

struct BitmapLayout {
  int Width = 0;
  int Height = 0;  // always positive; TopDown tells the row order
  bool TopDown = false;
  int Bits = 0;
  qsizetype PixelsAt = 0;
  qsizetype RowBytes = 0;
  qsizetype PaletteAt = 0;
  int PaletteSize = 0;
};

// The layout of a bitmap this cutter reads itself; false for anything else.
bool ReadLayout(const QByteArray& bytes, BitmapLayout& layout) {
  if (bytes.size() < kFileHeaderSize + kInfoHeaderMinimum || !bytes.startsWith("BM")) return false;
  const std::uint32_t infoSize = Read32(bytes, kFileHeaderSize);
  const auto height = static_cast<std::int32_t>(Read32(bytes, kFileHeaderSize + 8));
  layout.Width = static_cast<std::int32_t>(Read32(bytes, kFileHeaderSize + 4));
  layout.Height = height < 0 ? -height : height;
  layout.TopDown = height < 0;
  layout.Bits = Read16(bytes, kFileHeaderSize + 14);
  const std::uint32_t compression = Read32(bytes, kFileHeaderSize + 16);
  const std::uint32_t colours = Read32(bytes, kFileHeaderSize + 32);
  if (infoSize < kInfoHeaderMinimum || compression != 0 || (layout.Bits != 8 && layout.Bits != 24) ||
      layout.Width <= 0 || layout.Height <= 0 || layout.Width > 65535 || layout.Height > 65535)
    return false;
  layout.PixelsAt = Read32(bytes, 10);
  layout.RowBytes = ((qsizetype(layout.Width) * layout.Bits + 31) / 32) * 4;
  layout.PaletteAt = kFileHeaderSize + qsizetype(infoSize);
  layout.PaletteSize = layout.Bits == 8 ? (colours == 0 || colours > 256 ? 256 : int(colours)) : 0;
  const qsizetype end = layout.PixelsAt + layout.RowBytes * layout.Height;
  return layout.PaletteAt + 4 * layout.PaletteSize <= layout.PixelsAt && end <= bytes.size();
}

QImage CutRows(const QByteArray& bytes, const BitmapLayout& layout, const QRect& part) {
  const QImage::Format format = layout.Bits == 8 ? QImage::Format_Indexed8 : QImage::Format_RGB888;
  QImage image(part.size(), format);
  if (layout.Bits == 8) {
    QList<QRgb> table;
    for (int i = 0; i < layout.PaletteSize; ++i) {
      const qsizetype at = layout.PaletteAt + 4 * i;  // blue, green, red, unused
      table.push_back(qRgb(static_cast<std::uint8_t>(bytes[at + 2]), static_cast<std::uint8_t>(bytes[at + 1]),
                           static_cast<std::uint8_t>(bytes[at])));
    }
    image.setColorTable(table);
  }
  const int pixelBytes = layout.Bits / 8;
  for (int y = 0; y < part.height(); ++y) {
    const int row = part.top() + y;
    const int stored = layout.TopDown ? row : layout.Height - 1 - row;
    const char* from =
        bytes.constData() + layout.PixelsAt + layout.RowBytes * stored + part.left() * pixelBytes;
    uchar* to = image.scanLine(y);
    if (layout.Bits == 8) {
      std::memcpy(to, from, std::size_t(part.width()));
      continue;
    }
    for (int x = 0; x < part.width(); ++x) {  // stored blue, green, red
      to[3 * x] = static_cast<uchar>(from[3 * x + 2]);
      to[3 * x + 1] = static_cast<uchar>(from[3 * x + 1]);
      to[3 * x + 2] = static_cast<uchar>(from[3 * x]);
    }
  }
  return image;
}

QImage ReadClipped(const QByteArray& bytes, const QRect& area) {
  QBuffer buffer;
  buffer.setData(bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  const QRect part = area.intersected(QRect(QPoint(0, 0), reader.size()));
  if (part.isEmpty()) return {};
  reader.setClipRect(part);
  return reader.read();
}
}  // namespace

QImage CutBitmap(const QByteArray& bytes, const QRect& area) {
  BitmapLayout layout;
  if (!ReadLayout(bytes, layout)) return ReadClipped(bytes, area);
  const QRect part = area.intersected(QRect(0, 0, layout.Width, layout.Height));
  if (part.isEmpty()) return {};
  return CutRows(bytes, layout, part);
}

}  // namespace app
