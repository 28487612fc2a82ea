#pragma once
#include <QString>

namespace ui {

struct Windows;

// Writes PNG pictures of the download windows into `folder`, filled with a sample state:
// "progress.png" (a download under way), "progress-choice.png" (the choice among two robots),
// "test-window.png" (a whisker pressed, an infrared detector seeing an object) and
// "viewer.png" (the built program, with a failed compilation marked). False when a picture
// could not be written.
bool TakeDownloadWindowPictures(Windows& windows, const QString& folder);

}  // namespace ui
