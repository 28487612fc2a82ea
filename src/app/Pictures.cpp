#include "app/Pictures.h"

#include <QWidget>

#include "app/core/LayoutNumbers.h"

namespace app {

void ApplyControlLayout(int n, QWidget* control, bool advanced) {
  if (auto rect = ControlLayoutRecord(n, advanced)) control->setGeometry(*rect);
}

void ApplyPictureLayout(PictureSlot* picture, bool advanced) {
  const auto layout = PictureLayoutRecord(picture->slot(), advanced);
  if (!layout) return;
  picture->setTag(layout->Tag);
  picture->setGeometry(layout->Geometry);
  picture->setStretch(layout->Stretch);
  picture->setTransparent(layout->Transparent);
  picture->setVisible(layout->Visible);
}

void LoadPicture(PictureSlot* picture, const QString& type, bool advanced) {
  // A high-density screen gets the picture drawn at twice the size.
  if (picture->devicePixelRatioF() > 1) {
    if (auto sharp = PictureResource(picture->slot(), type, advanced, 2))
      return picture->setPictureData(*sharp, 2);
  }
  if (auto bytes = PictureResource(picture->slot(), type, advanced)) picture->setPictureData(*bytes);
}

PictureSlots CreatePictures(QWidget* parent, bool advanced) {
  PictureSlots pictures{};
  for (int s = 1; s <= kPictureSlotCount; ++s) {
    auto* picture = new PictureSlot(s, parent);
    // A slot without a record keeps the control's start state: hidden and empty.
    picture->hide();
    LoadPicture(picture, s == kBackgroundSlot ? QStringLiteral("BMP") : QStringLiteral("GIF"), advanced);
    ApplyPictureLayout(picture, advanced);
    pictures[s] = picture;
  }
  return pictures;
}

}  // namespace app
