#include "os/exec/break_signals.h"

#include <signal.h>

#include <atomic>

namespace {

// Lock-free atomics are safe to touch from a signal handler.
std::atomic<bool> ctrlC{false};
std::atomic<bool> quitRequest{false};
static_assert(std::atomic<bool>::is_always_lock_free);

void onInterrupt(int) { ctrlC.store(true); }
void onTerminate(int) { requestHostQuit(); }

void install(int signalNumber, void (*handler)(int)) {
  struct sigaction action {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  // Restart slow calls so that a break never turns into a failed read or write.
  action.sa_flags = SA_RESTART;
  sigaction(signalNumber, &action, nullptr);
}

}  // namespace

void installBreakSignalHandlers() {
  install(SIGINT, onInterrupt);
  install(SIGTERM, onTerminate);
}

bool hostCtrlCPending() { return ctrlC.load(); }
bool takeHostCtrlC() { return ctrlC.exchange(false); }
void setHostCtrlC(bool set) { ctrlC.store(set); }

void requestHostQuit() { quitRequest.store(true); }
bool hostQuitRequested() { return quitRequest.load(); }
bool takeHostQuitRequest() { return quitRequest.exchange(false); }
