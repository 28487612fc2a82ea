#include "comm/LinkThread.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <atomic>
#include <memory>

namespace comm {

LinkThread::LinkThread() {
  thread_.setObjectName(QStringLiteral("robot link"));
  context_ = new QObject;
  context_->moveToThread(&thread_);
  QObject::connect(&thread_, &QThread::finished, context_, &QObject::deleteLater);
  thread_.start();
}

LinkThread::~LinkThread() {
  thread_.quit();
  thread_.wait();
}

bool LinkThread::OnLinkThread() const {
  return QThread::currentThread() == &thread_;
}

void LinkThread::Post(std::function<void()> job) {
  QMetaObject::invokeMethod(context_, std::move(job), Qt::QueuedConnection);
}

void LinkThread::Run(const std::function<void()>& job) {
  // Without an event loop to come back to (no application object) or on the link thread
  // itself, the job simply runs here.
  if (OnLinkThread() || QCoreApplication::instance() == nullptr) {
    job();
    return;
  }
  // The loop outlives the job's last touch of it: exec() returns only through the quit that
  // the job posts as its very last step.
  QEventLoop waiting;
  QEventLoop* loop = &waiting;
  auto done = std::make_shared<std::atomic<bool>>(false);
  Post([job, done, loop] {
    job();
    done->store(true);
    QMetaObject::invokeMethod(loop, &QEventLoop::quit, Qt::QueuedConnection);
  });
  do {
    waiting.exec();
  } while (!done->load());
}

}  // namespace comm
