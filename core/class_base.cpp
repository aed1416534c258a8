#include "core/class_base.h"

#include "core/arena.h"

void* class_base::operator new(size_t size) { return Arena::alloc(size); }
void class_base::operator delete(void* block) { Arena::release(block); }

void EndObject(class_base* object) {
  if (!object) return;
  if (object->alive_) {
    object->alive_ = false;
    try {
      object->end_class();
    } catch (...) {
      delete object;
      throw;
    }
  }
  delete object;
}
