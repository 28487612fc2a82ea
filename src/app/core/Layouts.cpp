#include "app/core/Layouts.h"

#include "app/core/Resources.h"

namespace app {

namespace {
std::uint16_t Word(const QByteArray& bytes, int offset) {
  return static_cast<std::uint16_t>(static_cast<std::uint8_t>(bytes[offset]) |
                                    (static_cast<std::uint8_t>(bytes[offset + 1]) << 8));
}

bool LowByte(const QByteArray& bytes, int offset) {
  return static_cast<std::uint8_t>(bytes[offset]) == 1;
}

template <typename Parse>
auto ChooseRecord(int n, bool advanced, Parse parse) -> decltype(parse(QByteArray())) {
  const QString data = QStringLiteral("DATA");
  if (advanced) {
    if (auto bytes = LoadResource(data, n + kAdvancedRecordOffset)) {
      if (auto record = parse(*bytes)) return record;
    }
  }
  if (auto bytes = LoadResource(data, n)) return parse(*bytes);
  return std::nullopt;
}
}  // namespace

std::optional<QRect> ParseControlLayout(const QByteArray& record) {
  if (record.size() < 8) return std::nullopt;
  return QRect(Word(record, 0), Word(record, 2), Word(record, 4), Word(record, 6));
}

std::optional<PictureLayout> ParsePictureLayout(const QByteArray& record) {
  if (record.size() < 16) return std::nullopt;
  PictureLayout layout;
  layout.Tag = Word(record, 0);
  layout.Geometry = QRect(Word(record, 2), Word(record, 4), Word(record, 6), Word(record, 8));
  layout.Stretch = LowByte(record, 10);
  layout.Transparent = LowByte(record, 12);
  layout.Visible = LowByte(record, 14);
  return layout;
}

std::optional<QRect> ControlLayoutRecord(int n, bool advanced) {
  return ChooseRecord(n, advanced, ParseControlLayout);
}

std::optional<PictureLayout> PictureLayoutRecord(int slot, bool advanced) {
  return ChooseRecord(slot, advanced, ParsePictureLayout);
}

std::optional<QByteArray> PictureResource(int slot, const QString& type, bool advanced, int scale) {
  if (advanced) {
    if (auto bytes = LoadPictureResource(type, slot + kAdvancedPictureOffset, scale)) return bytes;
  }
  return LoadPictureResource(type, slot + kPictureOffset, scale);
}

}  // namespace app
