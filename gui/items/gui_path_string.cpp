#include "gui/items/gui_path_string.h"

#include "core/exception.h"
#include "files/syntax/path_syntax.h"

cGuiPathString* cGuiPathString::setState(const char* path) {
  if (path && *path && InvalidFilePath(path) && InvalidDirPath(path))
    Throw("EMU", "cGuiPathString.setState(); invalid path supplied");
  keepState(path, OwnedTextRule::EmptyAsNone);
  return this;
}
