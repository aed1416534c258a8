// Handing files to the desktop: opening a program, project or folder the way
// Workbench does, and reading the program a project icon names.
#pragma once

// Opens the object at a path in the program's own form ("DH0:/Games/Fred",
// a folder "DH0:/Games/") on the desktop. TRUE when the desktop accepted it.
// Raises EPU for a path that is not valid.
bool wbRun(const char* path);

// A new string with the default tool of the project icon of a host path
// ("DH0:Games/Fred" reads "DH0:Games/Fred.info"); NIL when there is no icon,
// the icon is not a project icon, or it names no tool.
char* getToolOfProjectIcon(const char* path);

// Opens workbench.library (any version) unless start-up already did.
void new_pamigawb();
// Closes what new_pamigawb opened.
void end_pamigawb();
