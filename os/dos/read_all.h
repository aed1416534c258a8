// Reading a host file descriptor to its end.
#pragma once
#include <string>

// Appends everything left to read from fd to out, again after an interrupted
// read. False when a read fails (errno tells why; what came before it stays
// in out). Does not close fd.
bool readAll(int fd, std::string& out);
