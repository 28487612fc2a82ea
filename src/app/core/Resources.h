#pragma once
#include <QByteArray>
#include <QString>
#include <optional>

namespace app {

// The program's resources are looked up by type and number, e.g. ("DATA", 362) is ":/DATA/362".
QString ResourcePath(const QString& type, int number);

// The bytes of resource (type, number), or nothing when the build does not carry it.
std::optional<QByteArray> LoadResource(const QString& type, int number);

}  // namespace app
