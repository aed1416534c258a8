// dos.library's SystemTagList: runs a command line in a new hosted shell.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "os/dos/dos.h"
#include "os/dos/file_handles.h"
#include "os/dos/lock_records.h"
#include "os/dos/process_record.h"
#include "os/shell/shell.h"
#include "os/utility/tags.h"

namespace {

// True when the descriptor is the null device: a shell reading NIL: is quiet.
bool isNullDevice(int fd) {
  struct stat device {}, null {};
  return fstat(fd, &device) == 0 && stat("/dev/null", &null) == 0 && S_ISCHR(device.st_mode) &&
         device.st_rdev == null.st_rdev;
}

// The null device, open for as long as the call runs.
struct NullDevice {
  int fd = -1;
  NullDevice() = default;
  NullDevice(const NullDevice&) = delete;
  NullDevice& operator=(const NullDevice&) = delete;
  ~NullDevice() {
    if (fd >= 0) close(fd);
  }
  int get() {
    if (fd < 0) fd = open("/dev/null", O_RDWR | O_CLOEXEC);
    return fd;
  }
};

bool fail(int32_t code) {
  SetIoErr(code);
  return false;
}

// The shell's streams from SYS_Input and SYS_Output. No input: Ludex's own
// terminal. No output: where the input is when that is a console (its
// window, or the terminal for the program's standard streams), /dev/null
// for NIL:, and the terminal otherwise. The shell's messages go with the
// output.
bool chooseStreams(BPTR input, BPTR output, NullDevice& null, HostStreams* streams) {
  FileHandle* in = input ? dosfh::asHandle(input) : nullptr;
  FileHandle* out = output ? dosfh::asHandle(output) : nullptr;
  if ((input && !in) || (output && !out)) return fail(ERROR_OBJECT_WRONG_TYPE);
  // The command writes there: a handle opened for reading so far is opened for writing first.
  if (out) {
    if (int32_t error = dosfh::makeWritable(out)) return fail(error);
  }
  const bool console = in && dosfh::recordOf(in)->console;
  const bool quiet = in && !console && isNullDevice(in->fh_HostFd);
  if (quiet && null.get() < 0) return fail(ERROR_NO_FREE_STORE);
  streams->in = in ? in->fh_HostFd : STDIN_FILENO;
  if (out) {
    streams->out = streams->err = dosfh::writeFdOf(out);
  } else if (quiet) {
    streams->out = streams->err = null.get();
  } else if (console && dosfh::recordOf(in)->writeFd < 0) {
    streams->out = streams->err = in->fh_HostFd;
  } else {
    streams->out = console ? dosfh::writeFdOf(in) : STDOUT_FILENO;
    streams->err = STDERR_FILENO;
  }
  return true;
}

// The Linux folder of NP_CurrentDir when given, else of the process's current directory.
bool chooseFolder(const TagItem* tags, std::string* folder) {
  const TagItem* given = FindTagItem(NP_CurrentDir, tags);
  const BPTR lock = given ? reinterpret_cast<BPTR>(given->ti_Data) : dosproc::self().pr_CurrentDir;
  if (int32_t error = dosl::hostPathOf(lock, *folder)) return fail(error);
  return true;
}

}  // namespace

int32_t SystemTagList(const char* command, const TagItem* tags) {
  if (!command) {
    SetIoErr(ERROR_OBJECT_NOT_FOUND);
    return -1;
  }
  const BPTR input = reinterpret_cast<BPTR>(GetTagData(SYS_Input, 0, tags));
  const BPTR output = reinterpret_cast<BPTR>(GetTagData(SYS_Output, 0, tags));
  NullDevice null;
  ShellState state;
  if (!chooseStreams(input, output, null, &state.streams) || !chooseFolder(tags, &state.dir)) return -1;
  state.stack = static_cast<int32_t>(GetTagData(NP_StackSize, SHELL_DEFAULT_STACK, tags));
  state.priority = static_cast<int32_t>(GetTagData(NP_Priority, 0, tags));
  const std::vector<std::string> lines = splitShellLines(command);

  // Once started, the shell owns the handles: the caller's copies are closed
  // here, whatever happens; a background shell keeps copies of its own.
  auto closeHandles = [&] {
    if (input) Close(input);
    if (output && output != input) Close(output);
  };
  int32_t rc;
  try {
    if (GetTagData(SYS_Asynch, 0, tags)) {
      rc = startShellInBackground(state, lines);
      if (rc < 0) {
        SetIoErr(ERROR_NO_FREE_STORE);
        return -1;  // not started: the handles stay the caller's
      }
    } else {
      rc = runShellLines(state, lines);
    }
  } catch (...) {
    closeHandles();
    throw;
  }
  closeHandles();
  return rc;
}
