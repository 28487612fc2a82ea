#pragma once
// The picture of a step slot: the first frame of the kind's palette tile, drawn small enough
// for a step row. Scaled down alone, the thin turning arrows of the two rotations become a
// blur, so those get a bold arrow drawn at the slot's own size.

#include <QPixmap>

#include "actions/StepRecord.h"

namespace ui {

// `frame` drawn into a square of `size` logical pixels at `pixelRatio` device pixels each.
QPixmap StepIcon(const QPixmap& frame, actions::ActionKind kind, int size, qreal pixelRatio = 1.0);

}  // namespace ui
