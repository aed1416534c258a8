#include "os/exec/semaphores.h"

#include <cstdio>

namespace {
int32_t held = 0;

bool usable(const SignalSemaphore* semaphore, const char* call) {
  if (semaphore && semaphore->ss_Initialised) return true;
  std::printf("ERROR: exec; %s(); the semaphore is %s\n", call, semaphore ? "not initialised" : "NIL");
  std::fflush(stdout);
  return false;
}
}  // namespace

void InitSemaphore(SignalSemaphore* semaphore) {
  if (!semaphore) return;
  semaphore->ss_NestCount = 0;
  semaphore->ss_Initialised = true;
}

void ObtainSemaphore(SignalSemaphore* semaphore) {
  if (!usable(semaphore, "ObtainSemaphore")) return;
  if (semaphore->ss_NestCount++ == 0) ++held;
}

void ReleaseSemaphore(SignalSemaphore* semaphore) {
  if (!usable(semaphore, "ReleaseSemaphore")) return;
  if (semaphore->ss_NestCount == 0) {
    std::printf("ERROR: exec; ReleaseSemaphore(); the semaphore is not held\n");
    std::fflush(stdout);
    return;
  }
  if (--semaphore->ss_NestCount == 0) --held;
}

int32_t HeldSemaphoreCount() { return held; }
