// The construct, destruct and fetch hooks that every list host gives its
// NList (the destruct hook is each host's own, with the host as its data):
// the list keeps the entryNode itself as its entry, ends it when the row
// goes, and has what a walk reads of it asked for ahead.
#pragma once

#include "os/utility/hooks.h"

// (hook, pool, entry): answers the entry itself.
IPTR guiListConstruct(Hook* hook, void* pool, void* entry);
// (hook, pool, entry): ends and frees the entryNode (NIL: nothing), through
// its host when it has one: the hook's data, else the entry's own host.
IPTR guiListDestruct(Hook* hook, void* pool, void* entry);

// (hook, NIL, entry): asks the processor for the entryNode's label and box.
IPTR guiListFetch(Hook* hook, void* object, void* entry);

extern Hook guiListConstructHook;
extern Hook guiListFetchHook;
