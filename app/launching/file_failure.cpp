#include "app/launching/file_failure.h"

#include <cstdio>
#include <cstring>

#include "app/ludex_module.h"
#include "core/strings/string.h"
#include "files/dos/strings.h"
#include "files/syntax/path_syntax.h"
#include "imaging/requesters.h"
#include "os/dos/dos.h"

namespace {

void copyText(char* to, size_t size, const char* text) { std::snprintf(to, size, "%s", text ? text : ""); }

// The canonical path as the system names it ("PROGDIR:Ludex.list").
void copyHostPath(char* to, size_t size, const char* path) {
  char* host = ExportPath(path);
  copyText(to, size, host);
  DisposeString(host);
}

}  // namespace

void FileFailure::noteIoErr(const char* path, const char* fallback) {
  const int32_t code = IoErr();
  note(path, code != 0 ? staticFault(code, nullptr) : fallback);
}

void FileFailure::note(const char* path, const char* why) {
  copyHostPath(file, sizeof file, path);
  copyText(reason, sizeof reason, why && *why ? why : "unknown reason");
}

void FileFailure::moveTo(const char* path) { copyHostPath(file, sizeof file, path); }

void FileFailure::noteInTheWay(const char* path, const char* blocking) {
  char name[sizeof reason];
  copyHostPath(name, sizeof name, blocking);
  char why[sizeof name + 16];
  std::snprintf(why, sizeof why, "%s is a folder", name);
  note(path, why);
}

void FileFailure::clear() { file[0] = reason[0] = '\0'; }

void FileFailure::describe(const char* path, char* text, int32_t size) const {
  char own[sizeof file];
  copyHostPath(own, sizeof own, path);
  if (std::strcmp(own, file) == 0)
    std::snprintf(text, static_cast<size_t>(size), "%s", reason);
  else
    std::snprintf(text, static_cast<size_t>(size), "%s: %s", file, reason);
}

void tellUser(const char* format, std::initializer_list<const char*> texts) {
  intptr_t args[8] = {};
  size_t count = 0;
  for (const char* text : texts)
    if (count < sizeof args / sizeof args[0]) args[count++] = reinterpret_cast<intptr_t>(text);
  requestChoice2(app_name, format, "OK", std::span<const intptr_t>(args, count));
}
