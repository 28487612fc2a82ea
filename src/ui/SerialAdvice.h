#pragma once
// After a download that found no robot or could not finish: what on this Linux system keeps
// the robot from being found, said once per run with the usual remedy.

#include <QString>
#include <QStringList>
#include <functional>

#include "comm/LinuxSerialDiagnosis.h"

namespace ui {

// Looks at the ports' devices, the user's groups and the running services (read only) and
// hands each trouble not yet told in this run to `show`.
void AdviseOnSerialTrouble(const QStringList& ports, const std::function<void(const QString&)>& show);

// Every look at the port list goes through here, so that a USB adapter taken away right after
// it appeared is noticed and told with the next advice.
void NotePorts(const QStringList& ports);

// Where the facts come from: the system unless replaced (tests hand in their own so that the
// machine they run on does not matter). Returns the previous source; empty restores the system.
using SerialFactsSource = std::function<comm::SerialSystemFacts(const QStringList& ports)>;
SerialFactsSource SetSerialFactsSource(SerialFactsSource source);

}  // namespace ui
