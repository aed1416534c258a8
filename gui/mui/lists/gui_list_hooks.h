// The construct and destruct hooks that every list host gives its NList: the
// list keeps the entryNode itself as its entry, and ends it when the row goes.
#pragma once

#include "os/utility/hooks.h"

// (hook, pool, entry): answers the entry itself.
IPTR guiListConstruct(Hook* hook, void* pool, void* entry);
// (hook, pool, entry): ends and frees the entryNode (NIL: nothing), through
// its host when it has one.
IPTR guiListDestruct(Hook* hook, void* pool, void* entry);

extern Hook guiListConstructHook;
extern Hook guiListDestructHook;
