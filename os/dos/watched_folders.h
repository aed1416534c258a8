// Folders whose contents dos.library keeps between calls (the names of a
// folder, the folder a path leads to), watched with inotify so that a change
// made to them by anyone, the program included, is noticed at once, however
// coarse the file system's times are.
#pragma once
#include <cstdint>
#include <string>

namespace doswatch {

// A number that moves on whenever a watched folder may have changed since it
// was read: an event arrived, events were lost, or the watches were dropped.
// Whatever was kept under an older number may no longer be true. Looks at the
// events that arrived (one system call).
uint64_t generation();
// Watches the Linux folder from now on; FALSE when it cannot be watched (no
// inotify, no more watches), and then nothing read from it may be kept on
// the strength of a watch.
bool watch(const std::string& folder);
// TRUE when folders can be watched here at all.
bool available();
// Drops every watch (and so moves the generation on), ready to watch again.
void reset();

}  // namespace doswatch
