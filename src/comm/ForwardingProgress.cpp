#include "comm/ForwardingProgress.h"

namespace comm {

ForwardingProgress::ForwardingProgress(DownloadUi& target) : target_(target) {}

void ForwardingProgress::ToggleMarker() {
  QMetaObject::invokeMethod(
      &receiver_, [this] { target_.ToggleMarker(); }, Qt::QueuedConnection);
}

void ForwardingProgress::StepIt(int program) {
  QMetaObject::invokeMethod(
      &receiver_, [this, program] { target_.StepIt(program); }, Qt::QueuedConnection);
}

}  // namespace comm
