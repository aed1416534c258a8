#include "core/class_base.h"

#include "core/arena.h"

void* class_base::operator new(size_t size) { return Arena::alloc(size); }
void class_base::operator delete(void* block) { Arena::release(block); }

void EndObject(class_base* object) {
  if (!object) return;
  // An object already being ended is left to the call that started ending it:
  // an end_class that ends its partner, which ends it back, must not free it
  // under the outer call.
  if (!object->alive_) return;
  object->alive_ = false;
  try {
    object->end_class();
  } catch (...) {
    delete object;
    throw;
  }
  delete object;
}
