#pragma once
// How the communication code shows an error box. The application installs its ShowError
// (a beep, then a modal box); the command-line tool prints; by default nothing is shown.

#include <QString>

#include <functional>

namespace comm {

using ErrorReporter = std::function<void(const QString&)>;

void SetErrorReporter(ErrorReporter reporter);
void ShowError(const QString& text);

}  // namespace comm
