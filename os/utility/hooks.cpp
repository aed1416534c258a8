#include "os/utility/hooks.h"

IPTR CallHookPkt(Hook* hook, void* object, void* message) {
  if (!hook || !hook->h_Entry) return 0;
  return hook->h_Entry(hook, object, message);
}
