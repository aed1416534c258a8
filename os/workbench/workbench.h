// workbench.library, hosted: opening an object the way the desktop does.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "os/utility/tags.h"

// Opens the object at an Amiga path as the Amiga desktop does:
//  - a project (the path with a project icon, or only the icon, as a WHDLoad
//    install has it: "Games:Lemmings" for "Games:Lemmings.info") is started
//    with its icon's default tool (see findDesktopTool), which gets the
//    project's Linux path as its one argument and starts in its folder;
//  - a path with a tool icon starts that program, in its own folder;
//  - a drawer, and a file with no icon of these kinds, are handed to the
//    host's "xdg-open" when there is a display (DISPLAY or WAYLAND_DISPLAY).
// Programs are started directly, never through a shell, in a session of
// their own, with no input. Returns TRUE when something was started; else
// FALSE, and the desktop says why itself (showDesktopMessage): the tool's
// name and what kept it from starting, an object that is not there, no
// display, no "xdg-open". While a test stand-in is active, the call is only
// recorded.
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
