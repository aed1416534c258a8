#include "tests/support/work_growth.h"

#include "core/strings/string_work.h"

WorkAtSizes workAtSizes(size_t n, const std::function<void(size_t)>& task) {
  WorkAtSizes work{};
  for (int i = 0; i < 3; ++i) {
    work.sizes[i] = n << i;
    const StringWork before = stringWork;
    task(work.sizes[i]);
    work.calls[i] = stringWork.calls - before.calls;
    work.bytes[i] = stringWork.bytes - before.bytes;
  }
  return work;
}

namespace {

bool linear(const uint64_t (&w)[3]) {
  // Work may only grow; a step twice as long as the first may cost at most
  // 2.5 times as much.
  if (w[1] < w[0] || w[2] < w[1]) return false;
  return 2 * (w[2] - w[1]) <= 5 * (w[1] - w[0]);
}

}  // namespace

testing::AssertionResult growsLinearly(const WorkAtSizes& work) {
  if (work.bytes[1] > work.bytes[0] && linear(work.calls) && linear(work.bytes)) return testing::AssertionSuccess();
  testing::AssertionResult result = testing::AssertionFailure();
  for (int i = 0; i < 3; ++i)
    result << "size " << work.sizes[i] << ": " << work.calls[i] << " calls, " << work.bytes[i] << " bytes; ";
  return result;
}
