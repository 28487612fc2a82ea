#include "comm/SerialNotices.h"

#include <algorithm>

namespace comm {

QStringList SerialNotices::Fresh(const SerialSystemFacts& facts) {
  QStringList texts;
  for (const Finding& finding : DiagnoseLinuxSerial(facts)) {
    // A group or a service is the same trouble whichever port showed it.
    const bool said = std::any_of(said_.begin(), said_.end(), [&](const Finding& f) {
      return f.Kind == finding.Kind &&
             (f.Group == finding.Group || finding.Kind == FindingKind::PortVanished);
    });
    if (said) continue;
    said_.push_back(finding);
    texts << FindingText(finding, facts.Groups.User);
  }
  return texts;
}

}  // namespace comm
