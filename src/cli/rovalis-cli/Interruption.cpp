#include "Interruption.h"

#include <csignal>

namespace cli {
namespace {

std::atomic<bool>* cancelFlag = nullptr;
volatile std::sig_atomic_t caught = 0;
struct sigaction previousInt {};
struct sigaction previousTerm {};

extern "C" void OnStopSignal(int number) {
  caught = number;
  if (cancelFlag != nullptr) cancelFlag->store(true);
}

}  // namespace

InterruptionGuard::InterruptionGuard(std::atomic<bool>& cancel) {
  static_assert(std::atomic<bool>::is_always_lock_free, "the handler stores into it");
  cancelFlag = &cancel;
  caught = 0;
  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, &previousInt);
  sigaction(SIGTERM, &action, &previousTerm);
}

InterruptionGuard::~InterruptionGuard() {
  sigaction(SIGINT, &previousInt, nullptr);
  sigaction(SIGTERM, &previousTerm, nullptr);
  cancelFlag = nullptr;
}

int InterruptionGuard::signal() const {
  return caught;
}

}  // namespace cli
