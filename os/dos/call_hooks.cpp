#include "os/dos/call_hooks.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <deque>
#include <map>
#include <vector>

#include "os/dos/dos.h"
#include "os/dos/dos_testing.h"
#include "os/dos/file_handles.h"
#include "os/dos/live_objects.h"
#include "os/dos/lock_records.h"
#include "os/dos/name_case.h"
#include "os/dos/volumes.h"

namespace {

struct Injected {
  int32_t code;
  int32_t after;  // calls that still go ahead first
};

struct Hooks {
  bool logging = false;
  std::vector<std::string> log;
  std::map<std::string, std::deque<Injected>> failures;
  std::map<std::string, uint32_t> traits;  // by volume name, folded
  bool strict = false;
};

Hooks& hooks() {
  static Hooks h;
  return h;
}

std::string folded(const std::string& name) {
  std::string key;
  for (char c : name) key += dosname::foldAZ(c);
  return key;
}

}  // namespace

int32_t doshook::enter(const char* call, const char* name, const char* name2) {
  Hooks& h = hooks();
  if (h.logging) {
    std::string entry = call;
    for (const char* n : {name, name2})
      if (n) entry += std::string(" ") + n;
    h.log.push_back(std::move(entry));
  }
  if (h.failures.empty()) return 0;
  auto it = h.failures.find(call);
  if (it == h.failures.end() || it->second.empty()) return 0;
  Injected& next = it->second.front();
  if (next.after > 0) {
    --next.after;
    return 0;
  }
  const int32_t code = next.code;
  it->second.pop_front();
  return code;
}

bool doshook::failurePending(const char* call) {
  const Hooks& h = hooks();
  if (h.failures.empty()) return false;
  auto it = h.failures.find(call);
  return it != h.failures.end() && !it->second.empty();
}

uint32_t doshook::traitsOf(const std::string& realPath) {
  Hooks& h = hooks();
  if (h.traits.empty()) return 0;
  const dosvol::Volume* v = dosvol::volumeOfRealPath(realPath);
  if (!v) return 0;
  auto it = h.traits.find(folded(v->name));
  return it == h.traits.end() ? 0 : it->second;
}

bool doshook::strict() { return hooks().strict; }

int32_t doshook::checkNotInUse(const std::string& path) {
  if (!hooks().strict) return 0;
  struct stat object;
  if (stat(path.c_str(), &object) != 0) return 0;  // the call itself reports what is missing
  for (DosObjectHeader* h : doslive::all(DOS_KIND_HANDLE)) {
    struct stat st;
    const FileHandle* fh = dosfh::asHandle(h);
    if (fh && fstat(fh->fh_HostFd, &st) == 0 && st.st_dev == object.st_dev && st.st_ino == object.st_ino)
      return ERROR_OBJECT_IN_USE;
  }
  return dosl::exclusivelyLocked(object.st_dev, object.st_ino) ? ERROR_OBJECT_IN_USE : 0;
}

void doshook::reset() { hooks() = Hooks{}; }

void ostest::failNextCall(const char* call, int32_t code, int32_t after) {
  hooks().failures[call].push_back({code, after < 0 ? 0 : after});
}

void ostest::clearFailures() { hooks().failures.clear(); }

void ostest::setVolumeTraits(const char* volume, uint32_t traits) {
  if (traits)
    hooks().traits[folded(volume)] = traits;
  else
    hooks().traits.erase(folded(volume));
}

void ostest::recordCalls(bool on) {
  hooks().logging = on;
  if (on) hooks().log.clear();
}

std::vector<std::string> ostest::callLog() { return hooks().log; }

void ostest::setStrictMode(bool on) { hooks().strict = on; }

bool ostest::hasExtendedAttributes(const char* folder) {
  const std::string probe = std::string(folder) + "/.ludex-xattr-probe-" + std::to_string(getpid());
  const int fd = open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  const bool supported = fsetxattr(fd, "user.ludex.probe", "1", 1, 0) == 0;
  close(fd);
  unlink(probe.c_str());
  return supported;
}
