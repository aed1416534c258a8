// How the shell turns the Amiga names on a command line into Linux paths.
#pragma once
#include <string>

// True when text begins with the name of a volume or assign the system knows,
// followed by ":" ("Home:Games/x.adf", "T:Ludex.script", "NIL:").
bool startsWithKnownVolume(const std::string& text);

// The Linux path of an Amiga path; a relative path starts in the Linux folder
// `dir`. false when the path cannot be mapped (an unknown volume, a climb
// above a volume's root).
bool shellHostPath(const std::string& amigaPath, const std::string& dir, std::string* hostPath);

// An argument as the started program sees it: its Linux path when it begins
// with a known volume or assign, else unchanged.
std::string mapShellArgument(const std::string& argument, const std::string& dir);
