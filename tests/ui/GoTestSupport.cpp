#include "GoTestSupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include "comm/Session.h"
#include "ui/Progress.h"

namespace gotest {

RobotBench::RobotBench(int count, QStringList extraPorts) : ports_(std::move(extraPorts)) {
  for (int i = 0; i < count; ++i) {
    auto robot = std::make_unique<sim::VirtualRobot>();
    started_ = robot->Start() && started_;
    ports_ << QString::fromStdString(robot->DevicePath());
    robots_.push_back(std::move(robot));
  }
  const QStringList ports = ports_;
  comm::TheSession().enumerate = [ports](QStringList& list) { list = ports; };
}

RobotBench::~RobotBench() {
  comm::TheSession().enumerate = comm::EnumeratePorts;
  for (auto& robot : robots_) robot->Stop();
}

QString RobotBench::path(int i) const {
  return QString::fromStdString(robots_[std::size_t(i)]->DevicePath());
}

bool WaitUntil(const std::function<bool()>& done, int timeoutMs) {
  QElapsedTimer clock;
  clock.start();
  while (!done() && clock.elapsed() < timeoutMs) QApplication::processEvents(QEventLoop::AllEvents, 10);
  return done();
}

void WhenChoiceShown(std::function<void()> action, int timeoutMs) {
  auto* poll = new QTimer;
  auto* clock = new QElapsedTimer;
  clock->start();
  QObject::connect(poll, &QTimer::timeout, [poll, clock, action, timeoutMs] {
    auto* form = qobject_cast<ui::TProgressForm*>(QApplication::activeModalWidget());
    const bool shown = form != nullptr && form->ChoiceMode();
    if (!shown && clock->elapsed() < timeoutMs) return;
    poll->stop();
    poll->deleteLater();
    delete clock;
    if (shown) action();
  });
  poll->start(10);
}

}  // namespace gotest
