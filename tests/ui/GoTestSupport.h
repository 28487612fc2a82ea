#pragma once
// Helpers of the Go and test-window tests: virtual robots on pseudo-terminals that are the
// only ports the program's session sees, and waiting on the window thread.

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

#include "sim/VirtualRobot.h"

namespace gotest {

// Starts `count` virtual robots (answering at once, no wire pacing) and makes them, after
// `extraPorts`, the port list of the program's session for the life of the object.
class RobotBench {
 public:
  explicit RobotBench(int count, QStringList extraPorts = {});
  ~RobotBench();
  sim::VirtualRobot& robot(int i) { return *robots_[std::size_t(i)]; }
  QString path(int i) const;
  QStringList ports() const { return ports_; }
  bool started() const { return started_; }

 private:
  std::vector<std::unique_ptr<sim::VirtualRobot>> robots_;
  QStringList ports_;
  bool started_ = true;
};

// Processes window events until `done` holds or `timeoutMs` passes; returns `done()`.
bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 5000);

// Runs `action` once the progress window is shown modally in choice mode (polled while the
// window thread waits in the modal loop).
void WhenChoiceShown(std::function<void()> action, int timeoutMs = 10000);

}  // namespace gotest
