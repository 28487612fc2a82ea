#pragma once
// Messages of the command-line tool by number from the active language's text set.

#include <QStringList>
#include <string>

namespace cli {

// The text with its place holders filled in one pass, so an argument that holds a '%'
// (a file name, say) stays as it is.
std::string CliText(int number, const QStringList& arguments = {});

QString Q(const std::string& text);

}  // namespace cli
