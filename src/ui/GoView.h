#pragma once
// Connects the windows that take part in Go, View and the test mode: the main window's
// download through the progress window, the program viewer, and the test window's download,
// port and servo calibration.

namespace ui {

struct Windows;

void ConnectDownloadWindows(Windows& windows);

}  // namespace ui
