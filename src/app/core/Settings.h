#pragma once
#include <QSettings>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>

namespace app {

// The five user settings and their values when nothing is stored.
struct SettingsValues {
  bool HyperHelp = true;
  std::uint8_t LeftServoCenter = 100;
  std::uint8_t RightServoCenter = 100;
  QString ComPort = QStringLiteral("AUTO");
  QString LastDirectory;  // empty: the open dialog keeps its own folder
};

// The per-user store: organisation "VeltraneInc", application "Rovalis"; the values live in
// group "1.0". Tests point it elsewhere with QSettings::setPath.
std::unique_ptr<QSettings> OpenUserSettings();

// Reads the values that exist in group "1.0", in the stored order; missing or unusable
// values leave `values` as they were. A servo centre outside 0..255 counts as unusable.
void ReadSettings(QSettings& store, SettingsValues& values);

// Writes all five values into group "1.0"; HyperHelp as the integer 0 or 1.
void WriteSettings(QSettings& store, const SettingsValues& values);

// The port to use after start: the stored name when that port is among `ports`, else "AUTO".
// Port names are compared exactly (device names are case-sensitive).
QString PortAfterStart(const QString& stored, const QStringList& ports);

}  // namespace app
