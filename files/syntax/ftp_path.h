// Paths on a network filing system that cannot examine or rewrite files in
// place.
#pragma once

// TRUE when the canonical path begins with "FTP:/" or "FTPMount:/", letters
// compared without regard to case. NIL is no such path.
bool IsFtpPath(const char* path);
