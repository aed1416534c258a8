// SetSignal: the process's received signals. The Ctrl-C break bit is the one
// the SIGINT handler of os/exec/break_signals sets; the other bits live in the
// task record.

#include "os/dos/dos.h"
#include "os/exec/break_signals.h"

uint32_t SetSignal(uint32_t newSignals, uint32_t signalMask) {
  Task* task = FindTask(nullptr);
  uint32_t old = task->tc_SigRecvd & ~SIGBREAKF_CTRL_C;
  if (signalMask & SIGBREAKF_CTRL_C) {
    // Read and change in one step, so that a Ctrl-C arriving now is not lost.
    const bool wasSet = (newSignals & SIGBREAKF_CTRL_C) ? hostCtrlCPending() : takeHostCtrlC();
    if (newSignals & SIGBREAKF_CTRL_C) setHostCtrlC(true);
    if (wasSet) old |= SIGBREAKF_CTRL_C;
  } else if (hostCtrlCPending()) {
    old |= SIGBREAKF_CTRL_C;
  }
  const uint32_t others = signalMask & ~SIGBREAKF_CTRL_C;
  task->tc_SigRecvd = (task->tc_SigRecvd & ~others) | (newSignals & others);
  task->tc_SigRecvd &= ~SIGBREAKF_CTRL_C;
  return old;
}
