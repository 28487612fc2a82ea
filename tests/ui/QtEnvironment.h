#pragma once
// Every widget test runs inside one QApplication on the offscreen platform, with the user
// settings pointed at a temporary folder.

#include <QString>

namespace uitest {
// The folder that stands in for the user's settings store during the tests.
QString SettingsFolder();
// Removes every stored setting.
void ClearSettings();
}  // namespace uitest
