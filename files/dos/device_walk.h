// Visiting each folder a path's device stands for: one for a volume or a
// relative path, each folder of an assign in turn.
#pragma once
#include <functional>

// For each folder of the device of path: makes that folder's volume the
// file-system task and the folder the current directory, calls visit with the
// part of the path after the device's ":" (the whole path when it has no
// device), and restores both, also when visit raises an error. Stops at the
// first visit that answers TRUE and answers TRUE then; FALSE when none did or
// the device is not known.
bool walkDeviceFolders(const char* path, const std::function<bool(const char* rest)>& visit);

// The part of path after its device's ":" (the whole path when it has none).
const char* pathAfterDevice(const char* path);
