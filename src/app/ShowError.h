#pragma once
#include <QString>
#include <functional>

class QWidget;

namespace app {

// The error box: a beep, then a modal box with the text and one OK button.
void ShowError(const QString& text);

// Tests and tools replace the box (for example to collect the texts); an empty function
// brings the box back. Returns the previous handler.
using ErrorBoxHandler = std::function<void(const QString&)>;
ErrorBoxHandler SetErrorBoxHandler(ErrorBoxHandler handler);

}  // namespace app
