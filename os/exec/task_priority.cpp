#include "os/exec/tasks.h"

// The hosted task's priority is recorded only: lowering the priority of a
// Linux process cannot be undone without privileges, and nothing in the
// hosted system schedules by it.
int8_t SetTaskPri(Task* task, int32_t priority) {
  if (!task) return 0;
  const int8_t old = task->tc_Node.ln_Pri;
  task->tc_Node.ln_Pri = static_cast<int8_t>(priority < -128 ? -128 : priority > 127 ? 127 : priority);
  return old;
}
