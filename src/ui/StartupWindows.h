#pragma once
// How the windows that take part in Go, View and the test mode make themselves when first
// needed: the downloader through the progress window, the program viewer, and the test
// window with its download, port and servo calibration.

namespace ui {

struct Windows;

void MakeWindowsOnDemand(Windows& windows);

}  // namespace ui
