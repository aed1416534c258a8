// intuition.library, hosted: the calls that reach the attributes and methods
// of an object (the objects are MUI's, made by os/mui). Tag data, method
// arguments and answers are pointer-sized (IPTR).
//
// Calls on NIL do nothing and answer 0 (GetAttr also stores 0); os/mui counts
// them for tests.
#pragma once
#include <cstddef>
#include <cstdint>
#include <type_traits>
#include <vector>

#include "os/utility/hooks.h"
#include "os/utility/tags.h"

struct Object;  // an object of the hosted MUI engine

// Numbers this system gives to names the program does not fix come from one
// range of its own, apart from every number MUI's classes publish:
// 0xFEC0xxxx (attributes 0xFEC000xx-0xFEC00Fxx, methods 0xFEC01xxx, special
// values 0xFEC02xxx, MUI_MakeObjectA kinds 0xFEC03xxx).
constexpr uint32_t OWN_ATTRIBUTE_BASE = 0xFEC00000u;
constexpr uint32_t OWN_METHOD_BASE = 0xFEC01000u;
constexpr uint32_t OWN_VALUE_BASE = 0xFEC02000u;
constexpr uint32_t OWN_MAKE_BASE = 0xFEC03000u;

// Group-like objects take members and give them back: {method, object}.
constexpr uint32_t OM_ADDMEMBER = OWN_METHOD_BASE + 0xF01;
constexpr uint32_t OM_REMMEMBER = OWN_METHOD_BASE + 0xF02;

// Sets the attributes of the tag list, in order. Answers how many the object took.
uint32_t SetAttrsA(Object* object, const TagItem* tags);
// Reads one attribute into *storage. Answers 1 when the object has it, else 0
// (and *storage is then 0).
uint32_t GetAttr(Tag attribute, Object* object, IPTR* storage);
// Sends a method: message[0] is the method id, the arguments follow.
IPTR DoMethodA(Object* object, const IPTR* message);

// A value of any kind as a pointer-sized word.
template <typename T>
constexpr IPTR toIPTR(T value) {
  if constexpr (std::is_null_pointer_v<T>)
    return 0;
  else if constexpr (std::is_pointer_v<T>)
    return reinterpret_cast<IPTR>(value);
  else
    return static_cast<IPTR>(value);
}

// DoMethod(object, id, arguments...): the message is built from the words.
template <typename... A>
IPTR DoMethod(Object* object, uint32_t methodId, A... arguments) {
  const IPTR message[] = {static_cast<IPTR>(methodId), toIPTR(arguments)...};
  return DoMethodA(object, message);
}

// A tag list from pairs of words (tag, data, tag, data, ...), ended by TAG_DONE.
std::vector<TagItem> tagListFromPairs(const IPTR* words, size_t count);

// SetAttrs(object, tag, data, ..., [TAG_DONE]).
template <typename... A>
uint32_t SetAttrs(Object* object, A... pairs) {
  const IPTR words[] = {toIPTR(pairs)..., 0};
  const std::vector<TagItem> tags = tagListFromPairs(words, sizeof...(A));
  return SetAttrsA(object, tags.data());
}
