#pragma once
// The Linux serial findings as texts to show after a scan, each one only the first time it is
// met in a run: a window that says the same remedy at every download is soon not read.

#include <QStringList>
#include <vector>

#include "comm/LinuxSerialDiagnosis.h"

namespace comm {

class SerialNotices {
 public:
  // The texts of the findings not said before; remembers them as said.
  QStringList Fresh(const SerialSystemFacts& facts);

 private:
  std::vector<Finding> said_;
};

}  // namespace comm
