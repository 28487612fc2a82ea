#pragma once
// The serial link knows its texts by number only; the windows give it the text table.

#include <QString>

#include "comm/DownloadOutcome.h"

namespace ui {

// Hands the text table to the serial link (idempotent; the windows call it when made).
void InstallCommTexts();
// A failed download in the words of the text table.
QString DownloadFailureText(const comm::DownloadOutcome& outcome);

}  // namespace ui
