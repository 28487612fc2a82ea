#pragma once
// The thread that owns the ports of downloads and test exchanges. Every read and write with
// the module runs here, so the thread that asked (the GUI thread) goes on painting and
// answering while the module is talked to; the serial ports are made, used and closed on
// this one thread, as Qt's devices require.

#include <QThread>
#include <functional>

namespace comm {

class LinkThread {
 public:
  LinkThread();
  ~LinkThread();
  LinkThread(const LinkThread&) = delete;
  LinkThread& operator=(const LinkThread&) = delete;

  // Runs `job` on the link thread and returns when it has finished. Meanwhile the caller's
  // thread keeps processing its events (queued progress, repaints, timers), so a caller that
  // must not be entered twice has to hold its own commands off until this returns.
  void Run(const std::function<void()>& job);
  // Queues `job` on the link thread and returns at once.
  void Post(std::function<void()> job);
  // Whether the calling thread is the link thread.
  bool OnLinkThread() const;

 private:
  QThread thread_;
  QObject* context_ = nullptr;  // lives on thread_; jobs are invoked on it
};

}  // namespace comm
