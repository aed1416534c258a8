// exec.library's signals, hosted: the running task allocates signal bits,
// signals are sent to it, and Wait takes the ones it waits for. There is one
// task and no other sender, so a Wait that finds none of its signals asks the
// waiting handler (installed by whoever can still make input arrive: MUI) to
// make one arrive; without one, or when it cannot, the wait fails instead of
// hanging forever.
#pragma once
#include <cstdint>

// A free signal bit (16..31; -1: any), or -1 when none is free.
int8_t AllocSignal(int32_t signalNumber);
// Gives a bit of AllocSignal back; -1 is ignored.
void FreeSignal(int32_t signalNumber);
// Sends the signals to the task (NIL: the running task).
struct Task;
void Signal(Task* task, uint32_t signals);
// Waits until at least one of the signals arrived; takes and returns those
// that did. Raises HostedFailure when none can ever arrive.
uint32_t Wait(uint32_t signalSet);

// Called by Wait when none of the signals has arrived: makes one arrive (and
// returns true) or raises HostedFailure itself; false means it has nothing
// to offer, and Wait fails.
using WaitingHandler = bool (*)(uint32_t signalSet);
// Installs the handler; returns the one it replaces (NIL: none).
WaitingHandler SetWaitingHandler(WaitingHandler handler);
