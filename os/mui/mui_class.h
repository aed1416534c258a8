// A class of the MUI engine: its name, its superclass, the attributes it adds
// (which may be given at creation, set and read, and how their values are
// kept), the methods it adds (for the call log and the strict mode), and how
// its objects are made.
//
// Adding a class: in its own file, a C++ class derived from Object (or Area,
// Group, ...) that overrides only the steps it needs (object.h), a table of
// its AttrSpecs and MethodSpecs, and `const MuiClass fooClass = makeClass(
// "Foo.mui", "Foo", &superClass, attrs, methods, make)`; then its name in the
// extern list below and in the registry's list (class_registry.cpp). The
// generic engine then does creation, sets with notifications, gets, the
// strict mode, the call log and the dump; values are kept per AttrKind.
#pragma once
#include <cstddef>
#include <cstdint>

#include "os/mui/mui.h"

namespace mui {

enum AttrUsage : uint8_t {
  ATTR_I = 1,  // at creation
  ATTR_S = 2,  // by a set
  ATTR_G = 4,  // by a get
  ATTR_ISG = ATTR_I | ATTR_S | ATTR_G,
  ATTR_IG = ATTR_I | ATTR_G,
  ATTR_SG = ATTR_S | ATTR_G,
};

enum class AttrKind : uint8_t {
  Number,    // a word, kept as given
  Flag,      // kept and answered as 1 or 0; notifications see 1 or 0
  Text,      // a text the object copies; NIL stays NIL
  Contents,  // a text the object copies; NIL reads as ""
  Borrowed,  // a pointer kept as given (texts, arrays, hooks): the caller keeps it alive
  Child,     // an object the object takes over at creation (NIL makes the creation fail)
  Event,     // not kept: a set only notifies
  TextEvent, // not kept: a set only notifies, with a text
};

struct AttrSpec {
  Tag tag;
  const char* name;
  uint8_t usage;
  AttrKind kind;
  IPTR defaultValue;
};

struct MethodSpec {
  uint32_t id;
  const char* name;
};

struct MuiClass {
  const char* name;      // "Group.mui"
  const char* dumpName;  // "Group"
  const MuiClass* super;
  const AttrSpec* attrs;
  size_t attrCount;
  const MethodSpec* methods;
  size_t methodCount;
  Object* (*make)();

  // The attribute in this class or a superclass; *owner (when given) is the
  // class that adds it.
  const AttrSpec* findAttr(Tag tag, const MuiClass** owner = nullptr) const;
  const MethodSpec* findMethod(uint32_t id) const;
  // This class or a subclass of the named class.
  bool isA(const char* className) const;
  bool isA(const MuiClass* other) const;
};

// The class of that name, or NIL when there is none or tests made it missing.
const MuiClass* findClass(const char* name);
// The attribute's name for logs and dumps, from every class ("0x8042abcd" when unknown).
const char* attributeName(Tag tag);
const char* methodName(uint32_t id);
// TRUE when some class takes over the object given with this tag at creation.
bool isChildAttribute(Tag tag);

template <size_t A, size_t M>
constexpr MuiClass makeClass(const char* name, const char* dumpName, const MuiClass* super,
                             const AttrSpec (&attrs)[A], const MethodSpec (&methods)[M], Object* (*make)()) {
  return MuiClass{name, dumpName, super, attrs, A, methods, M, make};
}

// The classes, one per file; the registry lists them all.
extern const MuiClass notifyClass, areaClass, groupClass, virtgroupClass, scrollgroupClass, rectangleClass,
    textClass, floattextClass, imageClass, stringClass, cycleClass, radioClass, numericClass, sliderClass,
    scrollbarClass, dtpicClass, bitmapClass, popstringClass, popaslClass, applicationClass, windowClass;
extern const MuiClass nlistClass, nlistviewClass, texteditorClass;

// Placeholders for classes that add no attributes or methods.
inline constexpr AttrSpec NO_ATTRS[1] = {{0, nullptr, 0, AttrKind::Number, 0}};
inline constexpr MethodSpec NO_METHODS[1] = {{0, nullptr}};

}  // namespace mui
