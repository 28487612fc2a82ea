#pragma once
#include <QString>
#include <array>

#include "app/PictureSlot.h"
#include "app/core/Global.h"
#include "app/core/Layouts.h"

class QWidget;

namespace app {

// The 65 picture slots; index 0 is unused so that Pictures[s] is slot s.
using PictureSlots = std::array<PictureSlot*, kPictureSlotCount + 1>;

// Places a control by record n (n + 90 in the advanced mode where present); a missing
// record leaves the control as it is.
void ApplyControlLayout(int n, QWidget* control, bool advanced = Global().AdvancedMode);

// Tag, position, size, stretch, transparency and visibility of a slot from its record.
void ApplyPictureLayout(PictureSlot* picture, bool advanced = Global().AdvancedMode);

// The slot's picture from resource s + 270 (advanced, where present) or s + 180 of `type`;
// nothing happens when neither exists.
void LoadPicture(PictureSlot* picture, const QString& type, bool advanced = Global().AdvancedMode);

// Makes slots 1..65 on `parent` in order, so later slots lie above earlier ones: slot 1 from
// a "BMP" picture, the others from "GIF" pictures. Animations start stopped.
PictureSlots CreatePictures(QWidget* parent, bool advanced = Global().AdvancedMode);

}  // namespace app
