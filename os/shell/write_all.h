// Writing a whole buffer to a host file descriptor.
#pragma once
#include <cstddef>

// Writes all size bytes to fd, again after an interrupted write; stops
// silently at the first write that fails or writes nothing. Calls only write(),
// so a forked child may use it before exec.
void writeAll(int fd, const void* data, size_t size);
