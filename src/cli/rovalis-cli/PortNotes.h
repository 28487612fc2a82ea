#pragma once
// What rovalis-cli ports adds to the scan's table: the adapter behind each port, and the
// Linux troubles that keep a robot from being found, each said once with its remedy.

#include <QStringList>
#include <ostream>

namespace cli {

// One line per port whose adapter the system describes: "ttyUSB0 — FT232R USB UART (A1B2C3)".
void PrintPortLabels(const QStringList& ports, std::ostream& out);

// The diagnosis of the ports' devices, the user's groups and the running services.
void PrintSerialFindings(const QStringList& ports, std::ostream& out);

}  // namespace cli
