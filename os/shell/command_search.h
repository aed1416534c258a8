// Finding the program file that a command name stands for.
#pragma once
#include <string>

// The Linux path of the program `name` names, or "" when there is none. A name
// with a volume, an assign or a "/" is mapped as a path; any other name is
// looked up in the Linux folder `dir` (the exact name first, then the one
// entry that differs only in the case of a-z), then in the folders of PATH.
// Only regular files count.
std::string findShellCommand(const std::string& name, const std::string& dir);

// The first executable regular file of that name in the folders of the host's
// PATH (empty entries skipped), or "".
std::string findOnHostPath(const std::string& name);
