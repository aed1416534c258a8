// workbench.library, hosted: opening an object the way the desktop does.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "os/utility/tags.h"

// Opens the object at an Amiga path on the desktop: a program is started, a
// project opened with its program, a drawer shown as a folder window. With a
// display (DISPLAY or WAYLAND_DISPLAY set) the host's "xdg-open" is started on
// the object's Linux path, directly and never through a shell, and reaped in
// the background. Returns TRUE when the opener was started; FALSE with no
// display, for a path that does not resolve, or when "xdg-open" is missing.
// While a test stand-in is active, the call is only recorded.
bool OpenWorkbenchObjectA(const char* name, const TagItem* tags);

namespace ostest {
struct WorkbenchCall {
  std::string name;
  bool hadTags;  // a tag list (even an empty one) was given
};
// From now on OpenWorkbenchObjectA only records its calls and returns `answer`.
void standInForWorkbench(bool answer);
// Ends the stand-in and forgets the recorded calls.
void releaseWorkbench();
const std::vector<WorkbenchCall>& workbenchCalls();
}  // namespace ostest
