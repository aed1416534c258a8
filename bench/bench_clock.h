// Wall time and this thread's processor time since a start, for the
// benchmark programs: on a busy machine the processor time is the fairer
// figure.
#pragma once
#include <chrono>
#include <ctime>

struct BenchClock {
  std::chrono::steady_clock::time_point wall;
  double cpu;

  static double cpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
  }
  static BenchClock now() { return BenchClock{std::chrono::steady_clock::now(), cpuMs()}; }
  double wallMs() const {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - wall).count();
  }
  double cpuSinceMs() const { return cpuMs() - cpu; }
};
