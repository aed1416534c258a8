// The "Edit a Launcher" dialog: the commands of the launcher of one tag.
#pragma once

// The edited commands as a new string: "" when the user left only blanks,
// tabs and line ends, NIL when the user cancelled. commands NIL reads as "".
char* requestEditLauncher(const char* tag, const char* commands);
