#include "os/mui/call_log.h"

#include <cstdio>
#include <string>
#include <vector>

#include "os/mui/description.h"
#include "os/mui/mui_class.h"
#include "os/mui/mui_testing.h"
#include "os/mui/object.h"

namespace mui {
namespace {
struct Log {
  std::vector<std::string> lines;
  int32_t nilCalls = 0;
};
Log& log() {
  static Log l;
  return l;
}
// Whether calls are recorded, read on every method call: a plain flag.
bool recording = false;

std::string word(IPTR data) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%ld", static_cast<long>(data));
  return buffer;
}
}  // namespace

bool callLogOn() { return recording; }

void logSet(const Object* object, Tag tag, IPTR data) {
  if (!recording) return;
  std::string line = object->label() + " set " + attributeName(tag) + " ";
  const AttrSpec* spec = object->muiClass->findAttr(tag);
  const bool isText = spec && (spec->kind == AttrKind::Text || spec->kind == AttrKind::Contents ||
                               spec->kind == AttrKind::TextEvent);
  line += isText ? (data ? quoted(reinterpret_cast<const char*>(data)) : std::string("NIL")) : word(data);
  log().lines.push_back(line);
}

void logMethod(const Object* object, const IPTR* message) {
  if (!recording) return;
  log().lines.push_back(object->label() + " " + methodName(static_cast<uint32_t>(message[0])));
}

void countNilCall() { ++log().nilCalls; }

void forgetCalls() {
  log().lines.clear();
  log().nilCalls = 0;
}

}  // namespace mui

void ostest::recordMuiCalls(bool on) { mui::recording = on; }
const std::vector<std::string>& ostest::muiCalls() { return mui::log().lines; }
int32_t ostest::muiNilCalls() { return mui::log().nilCalls; }

std::vector<std::string> ostest::muiCallsOf(const Object* object) {
  const std::string prefix = object->label() + " ";
  std::vector<std::string> lines;
  for (const std::string& line : mui::log().lines)
    if (line.compare(0, prefix.size(), prefix) == 0) lines.push_back(line.substr(prefix.size()));
  return lines;
}
