// Reading a host file descriptor to its end.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Appends everything left to read from fd to out, again after an interrupted
// read. False when a read fails (errno tells why; what came before it stays
// in out). Does not close fd.
bool readAll(int fd, std::string& out);

// Reads the whole regular file at a Linux path into out. False for anything
// else (missing, a folder, a FIFO or device: opened without blocking, so that
// none can stall the reader), for a file larger than maxSize, or a short read.
bool readRegularFile(const char* linuxPath, size_t maxSize, std::vector<uint8_t>& out);
