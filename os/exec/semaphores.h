// exec.library's signal semaphores, hosted. The system runs one task, so a
// semaphore only counts how deep its owner holds it. The count of semaphores
// held at a time is kept, so that MUI can tell a call made while the program
// holds one (which would deadlock an input handler on a real system).
#pragma once
#include <cstdint>

struct SignalSemaphore {
  int16_t ss_NestCount;  // how many obtains are not yet released
  bool ss_Initialised;
};

void InitSemaphore(SignalSemaphore* semaphore);
void ObtainSemaphore(SignalSemaphore* semaphore);
// Releasing a semaphore that is not held is reported ("ERROR: ...") and ignored.
void ReleaseSemaphore(SignalSemaphore* semaphore);

// Semaphores held now (each counted once however deep).
int32_t HeldSemaphoreCount();
