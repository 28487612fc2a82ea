#pragma once
// Cuts a rectangle out of a Windows bitmap (BMP) without decoding the rest of it: only the
// rows and columns of the rectangle are read. The intro window shows a strip of the main
// window's large background this way.

#include <QByteArray>
#include <QImage>
#include <QRect>

namespace app {

// The part of `area` that lies within the bitmap, as an image of that part's size. Reads
// uncompressed 8-bit (with its colour table) and 24-bit bitmaps, bottom-up or top-down;
// anything else goes through Qt's reader, clipped to the area. A null image when the bytes
// are no picture or the area misses it.
QImage CutBitmap(const QByteArray& bytes, const QRect& area);

}  // namespace app
