#pragma once
// Ctrl+C and SIGTERM during a scan or a download: the handler only raises the session's
// cancel flag, so the exchange stops at its next step, closes its port (which restores the
// line settings and releases the lock) and the command ends with 128 + the signal number.

#include <atomic>

namespace cli {

class InterruptionGuard {
 public:
  // Routes SIGINT and SIGTERM to `cancel` until destroyed, then restores the old handlers.
  explicit InterruptionGuard(std::atomic<bool>& cancel);
  ~InterruptionGuard();
  InterruptionGuard(const InterruptionGuard&) = delete;
  InterruptionGuard& operator=(const InterruptionGuard&) = delete;

  // The signal that arrived, 0 when none did.
  int signal() const;
  // The exit status for it: 130 for SIGINT, 143 for SIGTERM.
  int exitStatus() const { return 128 + signal(); }
};

}  // namespace cli
