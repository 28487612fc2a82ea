#pragma once
#include <QString>

namespace app {

// The build's version ("1.3"), compiled in from the CMake project version.
const char* ProjectVersion();

// The version information of the program file: "ProductVersion" and "FileVersion" give the
// build's version; any other key, or a file other than the program's own, gives the empty
// text. An empty file name means the program's own file.
QString GetVersionText(const QString& file, const QString& key);

}  // namespace app
