// The spread of a benchmark's steps over several rounds: each step's median,
// best and worst time, in the order the steps first ran. On a busy machine
// one round can be far off; the median of many says what a user meets most.
#pragma once
#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

class BenchSpread {
 public:
  void add(const std::string& step, double ms) {
    for (auto& [name, times] : steps_)
      if (name == step) {
        times.push_back(ms);
        return;
      }
    steps_.push_back({step, {ms}});
  }

  void print(const char* title) const {
    if (steps_.empty()) return;
    size_t rounds = 0;
    for (const auto& step : steps_) rounds = std::max(rounds, step.second.size());
    std::printf("%s (%zu rounds)%*s median     best    worst\n", title, rounds,
                std::max(0, 38 - static_cast<int>(std::char_traits<char>::length(title))), "");
    for (const auto& [name, times] : steps_) {
      std::vector<double> sorted = times;
      std::sort(sorted.begin(), sorted.end());
      const size_t n = sorted.size();
      const double median = n % 2 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
      std::printf("  %-40s %8.1f %8.1f %8.1f ms\n", name.c_str(), median, sorted.front(), sorted.back());
    }
  }

 private:
  std::vector<std::pair<std::string, std::vector<double>>> steps_;
};
