// Absolute host paths.
#pragma once

// The absolute host path of the object at path (a new string; NIL only for a
// NIL path). With keepLink a link keeps its own name (its folder is made
// absolute, the link is not followed); without, a link gives its target's
// name. An object that cannot be found is placed by its folder, else by the
// current directory; the worst case is a copy of the path.
char* expandPath(const char* path, bool keepLink);
// The absolute host path of an object that need not exist yet: the device's
// full name (a volume or assign) or the current directory's, joined with the
// rest. A copy of the path when neither has a name.
char* expandPathForCreation(const char* path);
