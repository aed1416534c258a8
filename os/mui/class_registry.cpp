// The classes the engine knows, by name. A class is added by defining its
// MuiClass in its own file and listing it here.
#include <cstdio>
#include <cstring>
#include <set>
#include <string>

#include "os/mui/mui_class.h"
#include "os/mui/mui_testing.h"

namespace mui {
namespace {
const MuiClass* const classes[] = {
    &notifyClass,  &areaClass,  &groupClass,   &virtgroupClass, &scrollgroupClass, &rectangleClass, &textClass,
    &floattextClass, &imageClass, &stringClass, &cycleClass,     &radioClass,       &numericClass,   &sliderClass,
    &scrollbarClass, &dtpicClass, &bitmapClass, &popstringClass, &popaslClass, &applicationClass, &windowClass,
    &nlistClass,   &nlistviewClass, &texteditorClass,
};

std::set<std::string>& missing() {
  static std::set<std::string> names;
  return names;
}

// Methods every object answers (the root of the engine).
constexpr MethodSpec rootMethods[] = {
    {MUIM_Notify, "MUIM_Notify"},          {MUIM_CallHook, "MUIM_CallHook"},
    {MUIM_Set, "MUIM_Set"},                {MUIM_NoNotifySet, "MUIM_NoNotifySet"},
    {MUIM_KillNotify, "MUIM_KillNotify"},  {OM_ADDMEMBER, "OM_ADDMEMBER"},
    {OM_REMMEMBER, "OM_REMMEMBER"},
};
}  // namespace

const AttrSpec* MuiClass::findAttr(Tag tag, const MuiClass** owner) const {
  for (const MuiClass* c = this; c; c = c->super)
    for (size_t i = 0; i < c->attrCount; ++i)
      if (c->attrs[i].name && c->attrs[i].tag == tag) {
        if (owner) *owner = c;
        return &c->attrs[i];
      }
  return nullptr;
}

const MethodSpec* MuiClass::findMethod(uint32_t id) const {
  for (const MuiClass* c = this; c; c = c->super)
    for (size_t i = 0; i < c->methodCount; ++i)
      if (c->methods[i].name && c->methods[i].id == id) return &c->methods[i];
  return nullptr;
}

bool MuiClass::isA(const MuiClass* other) const {
  for (const MuiClass* c = this; c; c = c->super)
    if (c == other) return true;
  return false;
}

bool MuiClass::isA(const char* className) const {
  for (const MuiClass* c = this; c; c = c->super)
    if (std::strcmp(c->name, className) == 0) return true;
  return false;
}

const MuiClass* findClass(const char* name) {
  if (!name || missing().count(name)) return nullptr;
  for (const MuiClass* c : classes)
    if (std::strcmp(c->name, name) == 0) return c;
  return nullptr;
}

const char* attributeName(Tag tag) {
  for (const MuiClass* c : classes)
    for (size_t i = 0; i < c->attrCount; ++i)
      if (c->attrs[i].name && c->attrs[i].tag == tag) return c->attrs[i].name;
  static char unknown[16];
  std::snprintf(unknown, sizeof unknown, "0x%08x", static_cast<unsigned>(tag));
  return unknown;
}

bool isChildAttribute(Tag tag) {
  for (const MuiClass* c : classes)
    for (size_t i = 0; i < c->attrCount; ++i)
      if (c->attrs[i].name && c->attrs[i].tag == tag && c->attrs[i].kind == AttrKind::Child) return true;
  return false;
}

const char* methodName(uint32_t id) {
  for (const MethodSpec& m : rootMethods)
    if (m.id == id) return m.name;
  for (const MuiClass* c : classes)
    if (const MethodSpec* m = c->findMethod(id)) return m->name;
  static char unknown[16];
  std::snprintf(unknown, sizeof unknown, "0x%08x", static_cast<unsigned>(id));
  return unknown;
}

}  // namespace mui

void ostest::markMuiClassMissing(const char* className) { mui::missing().insert(className); }
void ostest::restoreMuiClasses() { mui::missing().clear(); }
