#include "os/exec/signals.h"

#include <cstdio>

#include "os/dos/dos.h"
#include "os/exec/hosted_failure.h"
#include "os/exec/tasks.h"

namespace {
// Bits below 16 belong to the system (the break signals among them).
constexpr int32_t FIRST_USER_SIGNAL = 16;
WaitingHandler waitingHandler = nullptr;
}  // namespace

int8_t AllocSignal(int32_t signalNumber) {
  Task* task = FindTask(nullptr);
  if (signalNumber >= 0) {
    if (signalNumber < FIRST_USER_SIGNAL || signalNumber > 31 || (task->tc_SigAlloc & (1u << signalNumber))) return -1;
    task->tc_SigAlloc |= 1u << signalNumber;
    SetSignal(0, 1u << signalNumber);
    return static_cast<int8_t>(signalNumber);
  }
  for (int32_t bit = 31; bit >= FIRST_USER_SIGNAL; --bit)
    if (!(task->tc_SigAlloc & (1u << bit))) return AllocSignal(bit);
  return -1;
}

void FreeSignal(int32_t signalNumber) {
  if (signalNumber < FIRST_USER_SIGNAL || signalNumber > 31) return;
  Task* task = FindTask(nullptr);
  task->tc_SigAlloc &= ~(1u << signalNumber);
  SetSignal(0, 1u << signalNumber);
}

void Signal(Task* task, uint32_t signals) {
  if (task && task != FindTask(nullptr)) return;  // the hosted system runs one task
  SetSignal(signals, signals);
}

uint32_t Wait(uint32_t signalSet) {
  for (;;) {
    const uint32_t arrived = SetSignal(0, 0) & signalSet;
    if (arrived) {
      SetSignal(0, arrived);
      return arrived;
    }
    if (!waitingHandler || !waitingHandler(signalSet)) {
      char message[96];
      std::snprintf(message, sizeof message, "exec; Wait(); no signal of $%08x can ever arrive",
                    static_cast<unsigned>(signalSet));
      throw HostedFailure(message);
    }
  }
}

WaitingHandler SetWaitingHandler(WaitingHandler handler) {
  WaitingHandler old = waitingHandler;
  waitingHandler = handler;
  return old;
}
