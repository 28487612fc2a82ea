#pragma once
// The words of the port grid, the port box and the serial notes come from the text table,
// which belongs to the application. comm knows only the text numbers; the application and
// the command-line tool install the table's lookup at start. Without one every text is empty.

#include <QString>
#include <functional>

namespace comm {

using TextLookup = std::function<QString(int number)>;

void SetTextSource(TextLookup lookup);
// The text of the number from the installed source.
QString Text(int number);

}  // namespace comm
