#include "app/core/Settings.h"

namespace app {

namespace {
const char* const kGroup = "1.0";

bool ReadServoCenter(const QVariant& stored, std::uint8_t& target) {
  bool ok = false;
  const int value = stored.toInt(&ok);
  // Only a byte is kept; a value that does not fit is not a calibration, so the start value
  // stays instead of some wrapped-around centre.
  if (!ok || value < 0 || value > 255) return false;
  target = static_cast<std::uint8_t>(value);
  return true;
}
}  // namespace

std::unique_ptr<QSettings> OpenUserSettings() {
  return std::make_unique<QSettings>(QStringLiteral("VeltraneInc"), QStringLiteral("Rovalis"));
}

void ReadSettings(QSettings& store, SettingsValues& values) {
  store.beginGroup(QString::fromLatin1(kGroup));
  if (store.contains(QStringLiteral("HyperHelp"))) {
    const QVariant stored = store.value(QStringLiteral("HyperHelp"));
    bool ok = false;
    const int number = stored.toInt(&ok);
    if (ok)
      values.HyperHelp = number != 0;
    else if (stored.toString() == u"true" || stored.toString() == u"false")
      values.HyperHelp = stored.toString() == u"true";
  }
  if (store.contains(QStringLiteral("LeftServoCenter")))
    ReadServoCenter(store.value(QStringLiteral("LeftServoCenter")), values.LeftServoCenter);
  if (store.contains(QStringLiteral("RightServoCenter")))
    ReadServoCenter(store.value(QStringLiteral("RightServoCenter")), values.RightServoCenter);
  if (store.contains(QStringLiteral("ComPort"))) {
    const QString port = store.value(QStringLiteral("ComPort")).toString();
    values.ComPort = port.isEmpty() ? QStringLiteral("AUTO") : port;
  }
  if (store.contains(QStringLiteral("LastDirectory")))
    values.LastDirectory = store.value(QStringLiteral("LastDirectory")).toString();
  store.endGroup();
}

void WriteSettings(QSettings& store, const SettingsValues& values) {
  store.beginGroup(QString::fromLatin1(kGroup));
  store.setValue(QStringLiteral("HyperHelp"), values.HyperHelp ? 1 : 0);
  store.setValue(QStringLiteral("LeftServoCenter"), int{values.LeftServoCenter});
  store.setValue(QStringLiteral("RightServoCenter"), int{values.RightServoCenter});
  store.setValue(QStringLiteral("ComPort"),
                 values.ComPort.isEmpty() ? QStringLiteral("AUTO") : values.ComPort);
  store.setValue(QStringLiteral("LastDirectory"), values.LastDirectory);
  store.endGroup();
  store.sync();
}

QString PortAfterStart(const QString& stored, const QStringList& ports) {
  if (stored == u"AUTO" || !ports.contains(stored)) return QStringLiteral("AUTO");
  return stored;
}

}  // namespace app
