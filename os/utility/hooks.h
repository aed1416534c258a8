// utility.library, hosted: call-back hooks. A hook is called as
// entry(hook, object, message); what object and message are depends on who
// calls it. Words handed through hooks, tag data and method arguments are
// pointer-sized (IPTR).
#pragma once
#include <cstdint>

using IPTR = intptr_t;

struct Hook {
  Hook* h_Succ;  // free for the owner's lists
  Hook* h_Pred;
  IPTR (*h_Entry)(Hook* hook, void* object, void* message);
  void* h_SubEntry;  // free for the owner
  void* h_Data;      // free for the owner
};

// Calls the hook's entry; a NIL hook or a hook without entry answers 0.
IPTR CallHookPkt(Hook* hook, void* object, void* message);
