// The program's own path form (canonical paths) and its conversion to and from
// the system's form (host paths).
//
// Canonical: "DH0:/Games/Fred/" — a device is always followed by "/", a
// directory always ends in "/", a file never does, "" is the current directory.
// Host: "DH0:Games/Fred" — no "/" after the ":", none at the end of a directory.
// Only the first ":" of a path counts. Functions returning a path return a new
// string that the caller disposes (FindName points into its argument).
#pragma once
#include <cstdint>
#include <cstring>

char* ImportFilePath(const char* hostPath);
char* ImportDirPath(const char* hostPath);
// Raises EPU for an invalid path.
char* ExportPath(const char* path);

bool InvalidFilePath(const char* path);
bool InvalidDirPath(const char* path);
bool InvalidFileName(const char* name);
bool InvalidDirName(const char* name);

// The device with ":" and "/", or "".
char* ExtractDevice(const char* path);
// The parent part ending in "/", or "".
char* ExtractSubPath(const char* path);
// The final component (a directory keeps its "/").
char* ExtractName(const char* path);
// Points at the final component of path; *length gets its length.
const char* FindName(const char* path, int32_t* length = nullptr);

// TRUE when the text names a directory: it is empty (the current directory)
// or ends in "/". Anything else names a file.
inline bool NamesDirectory(const char* text) {
  const size_t length = std::strlen(text);
  return length == 0 || text[length - 1] == '/';
}

// TRUE when the canonical path is on a network filing system that cannot
// examine or rewrite files in place: it begins with "FTP:/" or "FTPMount:/",
// letters compared without regard to case. NIL is no such path.
bool IsFtpPath(const char* path);
