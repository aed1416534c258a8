#include "os/dos/live_objects.h"

#include <unordered_set>

#include "os/dos/dos_testing.h"

namespace {

struct Live {
  std::unordered_set<const DosObjectHeader*> objects;
  int32_t dosObjects = 0;
};

Live& live() {
  static Live l;
  return l;
}

}  // namespace

void doslive::add(DosObjectHeader* object, int32_t kind) {
  object->dh_Magic = MAGIC;
  object->dh_Kind = kind;
  live().objects.insert(object);
}

void doslive::remove(DosObjectHeader* object) {
  live().objects.erase(object);
  object->dh_Magic = 0;
}

bool doslive::isLive(const DosObjectHeader* object, int32_t kind) {
  return object && live().objects.count(object) && object->dh_Kind == kind;
}

int32_t doslive::count(int32_t kind) {
  int32_t n = 0;
  for (const DosObjectHeader* o : live().objects)
    if (o->dh_Kind == kind) ++n;
  return n;
}

std::vector<DosObjectHeader*> doslive::all(int32_t kind) {
  std::vector<DosObjectHeader*> found;
  for (const DosObjectHeader* o : live().objects)
    if (o->dh_Kind == kind) found.push_back(const_cast<DosObjectHeader*>(o));
  return found;
}

void doslive::countObject(int32_t delta) { live().dosObjects += delta; }
int32_t doslive::objects() { return live().dosObjects; }

int32_t ostest::liveLockCount() { return doslive::count(DOS_KIND_LOCK); }
int32_t ostest::liveHandleCount() { return doslive::count(DOS_KIND_HANDLE); }
int32_t ostest::liveDosObjectCount() { return doslive::objects(); }
