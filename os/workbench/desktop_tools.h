// Where the hosted desktop finds a project's default tool.
#pragma once
#include <string>

// The Linux path of the program a default tool names, or "" when there is
// none: a name with a volume, an assign or a "/" is an Amiga path; a plain
// name is looked for on the hosted command path (the folders of the "C:"
// assign, when there is one, names ignoring a-z case), then in the folders of
// the host's PATH (the name as written, then in lower case, so that
// "WHDLoad" finds "whdload"). Only executable regular files count.
std::string findDesktopTool(const std::string& tool);
