#pragma once
#include <QString>

namespace ui {

struct Windows;

// Writes PNG pictures of the real windows into `folder`: "intro.png" of the intro window, and
// "main-beginner.png" or "main-advanced.png" of the main window after the given choice
// (the mode holds for a run, so each mode takes a run of its own). Returns false when a
// picture could not be written.
bool TakeScreenshots(Windows& windows, const QString& folder, bool advanced);

}  // namespace ui
