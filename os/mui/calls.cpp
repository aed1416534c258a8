// The public calls: make, dispose, set, get and send methods.
#include "os/exec/semaphores.h"
#include "os/intuition/objects.h"
#include "os/mui/call_log.h"
#include "os/mui/faults.h"
#include "os/mui/live_objects.h"
#include "os/mui/mui.h"
#include "os/mui/object.h"

namespace {
// The program's semaphores guard its own data; on a real system an input
// handler that wanted one while MUI waited for the program would deadlock.
void checkNoSemaphoreHeld(const char* call) {
  if (HeldSemaphoreCount() > 0) mui::strictFault("%s while the program holds a semaphore", call);
}

void destroy(Object* object) {
  object->disposing();
  for (Object* child : object->children) destroy(child);
  mui::unregisterObject(object);
  delete object;
}

// Objects the caller hands over through tags, for disposal when the class is
// missing (the caller gave them away either way).
void disposeGivenChildren(const TagItem* tags) {
  TagItem* state = const_cast<TagItem*>(tags);
  while (TagItem* item = NextTagItem(&state)) {
    if (!mui::isChildAttribute(item->ti_Tag)) continue;
    Object* child = reinterpret_cast<Object*>(item->ti_Data);
    if (child && mui::isLive(child) && !child->parent) MUI_DisposeObject(child);
  }
}
}  // namespace

Object* MUI_NewObjectA(const char* className, const TagItem* tags) {
  checkNoSemaphoreHeld("MUI_NewObjectA");
  const mui::MuiClass* muiClass = mui::findClass(className);
  if (!muiClass) {
    // As MUI does with a class it cannot open: the object is not made, and
    // the children meant for it are not left lying around.
    disposeGivenChildren(tags);
    return nullptr;
  }
  Object* object = muiClass->make();
  object->muiClass = muiClass;
  mui::registerObject(object);
  bool made = false;
  try {
    made = object->create(tags);
  } catch (...) {
    MUI_DisposeObject(object);
    throw;
  }
  if (made) return object;
  MUI_DisposeObject(object);
  return nullptr;
}

void MUI_DisposeObject(Object* object) {
  if (!object) return;
  checkNoSemaphoreHeld("MUI_DisposeObject");
  if (!mui::isLive(object)) {
    mui::fault("MUI_DisposeObject of something that is not an object (disposed twice?)");
    return;
  }
  if (object->parent) object->parent->release(object);
  destroy(object);
}

uint32_t SetAttrsA(Object* object, const TagItem* tags) {
  checkNoSemaphoreHeld("SetAttrsA");
  if (!object) {
    mui::countNilCall();
    return 0;
  }
  const uint32_t serial = object->serial;
  uint32_t count = 0;
  TagItem* state = const_cast<TagItem*>(tags);
  while (TagItem* item = NextTagItem(&state)) {
    // An action of a notification may have disposed the object.
    if (!mui::isLive(object, serial)) break;
    object->set(item->ti_Tag, item->ti_Data, mui::SET_NOTIFY);
    ++count;
  }
  return count;
}

uint32_t GetAttr(Tag attribute, Object* object, IPTR* storage) {
  IPTR ignored = 0;
  if (!storage) storage = &ignored;
  checkNoSemaphoreHeld("GetAttr");
  if (!object) {
    mui::countNilCall();
    *storage = 0;
    return 0;
  }
  return object->get(attribute, storage) ? 1 : 0;
}

IPTR DoMethodA(Object* object, const IPTR* message) {
  checkNoSemaphoreHeld("DoMethodA");
  if (!object) {
    mui::countNilCall();
    return 0;
  }
  return object->method(message);
}

std::vector<TagItem> tagListFromPairs(const IPTR* words, size_t count) {
  std::vector<TagItem> tags;
  for (size_t i = 0; i < count && words[i] != TAG_DONE; i += 2)
    tags.push_back(TagItem{static_cast<Tag>(words[i]), i + 1 < count ? words[i + 1] : 0});
  tags.push_back(TagItem{TAG_DONE, 0});
  return tags;
}
