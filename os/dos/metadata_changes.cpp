// Changes of an object's metadata by name: SetProtection, SetComment,
// SetFileDate; and DateStamp, the date now.

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "os/dos/call_hooks.h"
#include "os/dos/dos_testing.h"
#include "os/dos/host_errors.h"
#include "os/dos/metadata.h"
#include "os/dos/path_resolution.h"
#include "os/dos/process_record.h"
#include "os/timer/timer.h"

namespace {

constexpr size_t COMMENT_STORED = 255;

// The object a change by name applies to (links followed): 0 and its Linux
// path, or the IoErr code.
int32_t objectToChange(const char* name, std::string& path) {
  if (!name) return ERROR_OBJECT_NOT_FOUND;
  dospath::Resolved r;
  if (int32_t error = dospath::resolve(name, dospath::Want::Existing, r)) return error;
  if (r.nil) return ERROR_ACTION_NOT_KNOWN;
  struct stat st;
  if (stat(r.host.c_str(), &st) != 0) return dosio::ioErrOfErrno(errno, ERROR_WRITE_PROTECTED);
  path = r.host;
  return doshook::checkNotInUse(path);
}

}  // namespace

bool SetProtection(const char* name, int32_t protect) {
  if (int32_t injected = doshook::enter("SetProtection", name)) return dosproc::fail(injected);
  std::string path;
  if (int32_t error = objectToChange(name, path)) return dosproc::fail(error);
  int32_t error = doshook::hasTrait(path, ostest::TRAIT_NO_PROTECTION) ? ERROR_ACTION_NOT_KNOWN
                                                                       : dosmeta::writeProtection(path, protect);
  // Where no word can be stored, the one that needs no storing still succeeds:
  // the default, or the word the object already shows.
  if (error == ERROR_ACTION_NOT_KNOWN && (protect == FIBF_DEFAULT || protect == dosmeta::protectionOf(path)))
    error = 0;
  return error ? dosproc::fail(error) : true;
}

bool SetComment(const char* name, const char* comment) {
  if (int32_t injected = doshook::enter("SetComment", name)) return dosproc::fail(injected);
  const std::string text = comment ? comment : "";
  if (text.size() > COMMENT_STORED) return dosproc::fail(ERROR_COMMENT_TOO_BIG);
  std::string path;
  if (int32_t error = objectToChange(name, path)) return dosproc::fail(error);
  int32_t error = doshook::hasTrait(path, ostest::TRAIT_NO_COMMENTS) ? ERROR_ACTION_NOT_KNOWN
                                                                     : dosmeta::writeComment(path, text);
  if (error == ERROR_ACTION_NOT_KNOWN && text.empty()) error = 0;  // no comment is what it has
  return error ? dosproc::fail(error) : true;
}

bool SetFileDate(const char* name, const struct DateStamp* date) {
  if (int32_t injected = doshook::enter("SetFileDate", name)) return dosproc::fail(injected);
  if (!date) return dosproc::fail(ERROR_BAD_NUMBER);
  std::string path;
  if (int32_t error = objectToChange(name, path)) return dosproc::fail(error);
  if (doshook::hasTrait(path, ostest::TRAIT_NO_DATES)) return dosproc::fail(ERROR_ACTION_NOT_KNOWN);
  struct timespec times[2];
  times[0].tv_sec = 0;
  times[0].tv_nsec = UTIME_OMIT;  // the time of last access stays
  times[1] = dosmeta::hostTimeOf(*date);
  if (utimensat(AT_FDCWD, path.c_str(), times, 0) != 0)
    return dosproc::fail(dosio::ioErrOfErrno(errno, ERROR_WRITE_PROTECTED));
  return true;
}

struct DateStamp* DateStamp(struct DateStamp* ds) {
  if (!ds) return ds;
  // From the system clock, so that a clock fixed for tests holds here too.
  TimeVal now{};
  GetSysTime(&now);
  ds->ds_Days = static_cast<int32_t>(now.Seconds / 86400);
  const uint32_t rest = now.Seconds % 86400;
  ds->ds_Minute = static_cast<int32_t>(rest / 60);
  ds->ds_Tick = static_cast<int32_t>(rest % 60) * TICKS_PER_SECOND +
                static_cast<int32_t>(now.Microseconds / (1000000 / TICKS_PER_SECOND));
  return ds;
}
