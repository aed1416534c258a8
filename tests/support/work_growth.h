// How the work of a task grows with its input, counted rather than timed:
// the string helpers' count of calls and bytes (core/strings/string_work.h)
// taken for the task on an input of size n, 2n and 4n. Linear work grows by
// the same step from 2n to 4n as twice the step from n to 2n; quadratic work
// by four times, which the check below refuses.
//
//   EXPECT_TRUE(growsLinearly(workAtSizes(1000, [&](size_t n) { task(n); })));
#pragma once
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <functional>

struct WorkAtSizes {
  size_t sizes[3];
  uint64_t calls[3];
  uint64_t bytes[3];
};

// Runs the task once for each of n, 2n and 4n and counts its work.
WorkAtSizes workAtSizes(size_t n, const std::function<void(size_t)>& task);

// Success when neither the calls nor the bytes grow faster than linearly (a
// step from 2n to 4n at most 2.5 times the one from n to 2n), and the bytes
// grow at all (the task reads its input).
testing::AssertionResult growsLinearly(const WorkAtSizes& work);
