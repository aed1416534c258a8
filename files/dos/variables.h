// Environment variables that hold directory paths, in canonical form.
#pragma once

// Sets the global variable to the host form of the canonical directory path
// (raises EPU for an invalid path); with save it is also stored in ENVARC:,
// so that it lasts. TRUE when the variable was set.
bool setVarDirPath(const char* name, const char* dirPath, bool save);
// The variable's value as a canonical directory path (a new string), NIL
// when it is not set.
char* getVarDirPath(const char* name);
