#include "imaging/desktop.h"

#include "core/clean_up.h"
#include "core/strings/string.h"
#include "files/syntax/path_syntax.h"
#include "os/icon/icon.h"
#include "os/workbench/workbench.h"
#include "platform/system_libraries.h"

namespace {
bool openedWorkbench = false;
}  // namespace

bool wbRun(const char* path) {
  char* hostPath = ExportPath(path);
  bool accepted = false;
  WithCleanUp(
      [&] {
        const TagItem noTags[] = {{TAG_DONE, 0}};
        accepted = OpenWorkbenchObjectA(hostPath, noTags);
      },
      [&] { DisposeString(hostPath); });
  return accepted;
}

char* getToolOfProjectIcon(const char* path) {
  DiskObject* icon = GetDiskObject(path);
  if (!icon) return nullptr;
  char* tool = nullptr;
  WithCleanUp(
      [&] {
        // A project icon may carry no tool, or an empty one: both mean none.
        if (icon->do_Type == WBPROJECT && icon->do_DefaultTool && icon->do_DefaultTool[0])
          tool = StrClone(icon->do_DefaultTool);
      },
      [&] { FreeDiskObject(icon); });
  return tool;
}

void new_pamigawb() {
  if (WorkbenchBase) return;
  WorkbenchBase = OpenLibrary("workbench.library", 0);
  openedWorkbench = WorkbenchBase != nullptr;
}

void end_pamigawb() {
  if (!openedWorkbench) return;
  CloseLibrary(WorkbenchBase);
  WorkbenchBase = nullptr;
  openedWorkbench = false;
}
