#pragma once
// A start-up measure's hook: with ROVALIS_FIRST_SHOW set in the environment, the program
// writes "first window shown" on its standard output the moment its first window is exposed,
// and with the value "exit" ends right after. bench/startup_time.py times programs by it.

#include <QObject>
#include <cstdio>

namespace app {

class FirstShowReport : public QObject {
 public:
  // Reports on `out` once; `exitAfter` ends the event loop after the report.
  FirstShowReport(std::FILE* out, bool exitAfter, QObject* parent = nullptr);
  bool Reported() const { return reported_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::FILE* out_;
  bool exitAfter_;
  bool reported_ = false;
};

// Installs the hook on the running application when the environment asks for it.
void WatchForFirstShowFromEnvironment();

}  // namespace app
