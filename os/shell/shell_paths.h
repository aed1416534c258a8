// How the shell turns the Amiga names on a command line into Linux paths. The
// names are resolved by dos.library, from the shell's own current folder.
#pragma once
#include <string>

// True when text begins with the name of a volume or assign the system knows,
// followed by ":" ("Home:Games/x.adf", "T:Ludex.script", "NIL:").
bool startsWithKnownVolume(const std::string& text);

// The Linux path of an Amiga path; a relative path starts in the Linux folder
// `dir`. With forCreation the object itself need not exist (its folder must).
// false when the path leads nowhere. The caller's IoErr is left as it was.
bool shellHostPath(const std::string& amigaPath, const std::string& dir, bool forCreation, std::string* hostPath);

// An argument as the started program sees it: its Linux path when it begins
// with a known volume or assign and leads somewhere; "name=" and the Linux
// path when the part after the first "=" does; else unchanged. A trailing "/"
// (or the root of a volume, "Games:") maps to a Linux path ending in "/".
std::string mapShellArgument(const std::string& argument, const std::string& dir);
