// Where the hosted desktop finds a project's default tool.
#pragma once
#include <string>

// The Linux path of the program a default tool names, or "" when there is
// none. A plain name, or a name in "C:" ("C:WHDLoad"), is looked for in the
// folders of the "C:" assign when there is one (names ignoring a-z case),
// then in the folders of the host's PATH by its name (as written, then in
// lower case, so that "WHDLoad" finds "whdload"). Any other name with a
// volume, an assign or a "/" is that Amiga path only. Only executable
// regular files count. When nothing is found and `where` is given, it
// receives where the tool was looked for, in the words of a message.
std::string findDesktopTool(const std::string& tool, std::string* where = nullptr);
