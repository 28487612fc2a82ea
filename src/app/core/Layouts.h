#pragma once
#include <QByteArray>
#include <QRect>
#include <QString>
#include <cstdint>
#include <optional>

namespace app {

// Layout records are "DATA" resources; the advanced mode uses record n + 90 where it exists.
inline constexpr int kAdvancedRecordOffset = 90;
// Pictures are resource s + 180 ("BMP" for slot 1, "GIF" for the rest); the advanced mode
// uses s + 270 where it exists.
inline constexpr int kPictureOffset = 180;
inline constexpr int kAdvancedPictureOffset = 270;
inline constexpr int kPictureSlotCount = 65;

// Picture layout record, 16 bytes, every field unsigned 16-bit little-endian:
//   0 tag | 2 left | 4 top | 6 width | 8 height | 10 stretch | 12 transparent | 14 visible
// Of the last three only the low byte counts, 1 meaning yes.
struct PictureLayout {
  std::uint16_t Tag = 0;
  QRect Geometry;
  bool Stretch = false;
  bool Transparent = false;
  bool Visible = false;
  bool operator==(const PictureLayout&) const = default;
};

// Control layout record, 8 bytes: left, top, width, height, unsigned 16-bit little-endian.
std::optional<QRect> ParseControlLayout(const QByteArray& record);
std::optional<PictureLayout> ParsePictureLayout(const QByteArray& record);

// The record that a control or picture slot of number n uses in the given mode: n + 90 in
// the advanced mode when that record exists (and is long enough), else n; nothing when
// neither exists, which leaves the control as it is.
std::optional<QRect> ControlLayoutRecord(int n, bool advanced);
std::optional<PictureLayout> PictureLayoutRecord(int slot, bool advanced);

// The picture bytes of a slot: resource s + 270 of the type in the advanced mode when it
// exists, else s + 180; nothing when neither exists.
std::optional<QByteArray> PictureResource(int slot, const QString& type, bool advanced, int scale = 1);

}  // namespace app
