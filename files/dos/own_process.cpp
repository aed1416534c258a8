#include "files/dos/own_process.h"

Process* ownProcess() {
  Task* task = FindTask(nullptr);
  if (!task || task->tc_Node.ln_Type != NT_PROCESS) return nullptr;
  return reinterpret_cast<Process*>(task);
}
