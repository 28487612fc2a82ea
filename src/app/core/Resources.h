#pragma once
#include <QByteArray>
#include <QString>
#include <optional>

namespace app {

// The program's resources are looked up by type and number, e.g. ("DATA", 362) is ":/DATA/362".
QString ResourcePath(const QString& type, int number);

// The bytes of resource (type, number), or nothing when the build does not carry it.
std::optional<QByteArray> LoadResource(const QString& type, int number);

// A picture that may carry words: the active language's own (":/en/GIF/222") when the build
// has one, else the shared one (":/GIF/222"). Scale 2 asks for the same picture drawn at twice
// its size for high-density screens (":/en/GIF/222@2x").
std::optional<QByteArray> LoadPictureResource(const QString& type, int number, int scale = 1);

// The resource alias of a picture at a scale: "warning", "warning@2x".
QString ScaledAlias(const QString& alias, int scale);

}  // namespace app
