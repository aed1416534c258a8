#include <unistd.h>

#include <climits>
#include <string>

#include "os/dos/dos_testing.h"
#include "os/dos/lock_records.h"
#include "os/dos/process_record.h"
#include "os/dos/volumes.h"

namespace {

struct ProcessState {
  Process process{};
  bool made = false;
  int32_t requesters = 0;
  std::string lastRequested;
};

ProcessState& state() {
  static ProcessState s;
  return s;
}

}  // namespace

Process& dosproc::self() {
  ProcessState& s = state();
  if (!s.made) {
    s.made = true;
    s.process = Process{};
    s.process.pr_Task.tc_Node.ln_Type = NT_PROCESS;
    s.process.pr_Task.tc_Node.ln_Name = "ludex";
    char cwd[PATH_MAX];
    if (getcwd(cwd, sizeof cwd)) {
      int32_t error = 0;
      s.process.pr_CurrentDir = dosl::lockHostPath(dosvol::canonicalFolder(cwd), SHARED_LOCK, &error);
    }
  }
  return s.process;
}

bool dosproc::fail(int32_t code) {
  self().pr_Result2 = code;
  return false;
}

BPTR dosproc::failLock(int32_t code) {
  self().pr_Result2 = code;
  return ZERO;
}

void dosproc::noteUnknownVolume(std::string_view name) {
  if (self().pr_WindowPtr == reinterpret_cast<APTR>(-1)) return;
  ++state().requesters;
  state().lastRequested = std::string(name);
}

void dosproc::reset() {
  ProcessState& s = state();
  if (s.made) {
    UnLock(s.process.pr_CurrentDir);
    UnLock(s.process.pr_HomeDir);
  }
  s.process = Process{};
  s.made = false;
  s.requesters = 0;
  s.lastRequested.clear();
}

// The hosted system runs one process, dos.library's own.
Task* FindTask(const char* name) {
  Process& p = dosproc::self();
  if (!name) return &p.pr_Task;
  return std::string(name) == p.pr_Task.tc_Node.ln_Name ? &p.pr_Task : nullptr;
}

int32_t IoErr() { return dosproc::self().pr_Result2; }

int32_t SetIoErr(int32_t code) {
  Process& p = dosproc::self();
  const int32_t old = p.pr_Result2;
  p.pr_Result2 = code;
  return old;
}

MsgPort* SetFileSysTask(MsgPort* port) {
  Process& p = dosproc::self();
  MsgPort* old = p.pr_FileSystemTask;
  p.pr_FileSystemTask = port;
  return old;
}

BPTR CurrentDir(BPTR lock) {
  Process& p = dosproc::self();
  BPTR old = p.pr_CurrentDir;
  p.pr_CurrentDir = lock;
  return old;
}

int32_t ostest::insertVolumeRequesters() { return state().requesters; }
const char* ostest::lastRequestedVolume() { return state().lastRequested.c_str(); }
