#pragma once
// Reads the committed layout records and pictures straight from the Qt resources, byte by
// byte, independent of the window code that loads them.
#include <QByteArray>
#include <QFile>
#include <QRect>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>

namespace look {

inline constexpr int kAdvancedOffset = 90;

inline std::optional<QByteArray> Resource(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  return file.readAll();
}

inline std::optional<QByteArray> Record(int n) {
  return Resource(QStringLiteral(":/DATA/%1").arg(n));
}

inline std::uint16_t U16(const QByteArray& bytes, int offset) {
  return static_cast<std::uint16_t>(static_cast<std::uint8_t>(bytes[offset]) |
                                    static_cast<std::uint8_t>(bytes[offset + 1]) << 8);
}

// Fields of a picture record: tag, left, top, width, height, stretch, transparent, visible.
using PictureFields = std::array<int, 8>;

inline PictureFields PictureRecord(const QByteArray& bytes) {
  PictureFields f{};
  for (int i = 0; i < 8; ++i) f[i] = U16(bytes, 2 * i);
  return f;
}

inline QRect ControlRect(const QByteArray& bytes) {
  return QRect(U16(bytes, 0), U16(bytes, 2), U16(bytes, 4), U16(bytes, 6));
}

// The record number a mode uses for slot or control n: n + 90 in the advanced mode where
// that record exists.
inline std::optional<int> Effective(int n, bool advanced) {
  if (advanced && Record(n + kAdvancedOffset)) return n + kAdvancedOffset;
  if (Record(n)) return n;
  return std::nullopt;
}

}  // namespace look
