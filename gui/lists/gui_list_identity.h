// What a list entry stands for. A sorted list shows entries its comparison
// takes as equal (two games with the same play count, two of one name) in
// the order of what they stand for, and the update merge pairs a shown
// entry with a new one only when both stand for the same thing: so a row
// keeps its selection only while it shows the same game.
//
// An entry stands for what its data box holds: the box's value (a game, for
// the games list's pointer boxes), a string box's text, or the object
// itself for a data box that is no box; without a box, for its data value;
// with neither (data 0), for its label, compared ignoring case as the
// comparisons that ignore case do, so that a change of letter case only is
// the same entry.
#pragma once
#include <cstdint>
#include <typeinfo>

#include "core/box.h"
#include "core/class_base.h"

struct GuiListIdentity {
  // Kinds in their order: entries of one kind sort before those of the next.
  enum Kind : uint8_t { LABEL = 0, NUMBER = 1, TEXT = 2 };
  Kind kind = LABEL;
  intptr_t number = 0;         // NUMBER
  const char* text = nullptr;  // LABEL: the label; TEXT: the box's string
};

// The identity of an entry with this label, data value and data box; it
// refers to the label and the box's string, which must outlive it.
GuiListIdentity identityOf(const char* label, int32_t data, class_base* dataBox);

// +1 when a's entry comes first, -1 when b's does, 0 when both stand for the
// same thing.
int8_t compareIdentities(const GuiListIdentity& a, const GuiListIdentity& b);

// A word whose order is the identities' order wherever two words differ;
// *whole tells that the word holds the whole identity, so that equal whole
// words stand for the same thing. The kind is its top byte, the rest the
// number (offset to keep the order of signed numbers) or the first seven
// bytes of the text (a-z folded for a label).
uint64_t identityWord(const GuiListIdentity& identity, bool* whole);

// The word of a number identity (identityWord's), numbers beyond the room
// at its ends and not whole.
inline uint64_t identityNumberWord(intptr_t n, bool* whole) {
  constexpr int KIND_SHIFT = 56;
  constexpr int64_t OFFSET = int64_t{1} << (KIND_SHIFT - 1);
  constexpr uint64_t KIND = uint64_t{GuiListIdentity::NUMBER} << KIND_SHIFT;
  *whole = n >= -OFFSET && n < OFFSET;
  if (!*whole) return KIND | (n < 0 ? 0 : (uint64_t{1} << KIND_SHIFT) - 1);
  return KIND | static_cast<uint64_t>(static_cast<int64_t>(n) + OFFSET);
}

// identityWord(identityOf(label, data, dataBox)), at once for the usual
// entries (a pointer or value box, a data value): every entry of a long
// list gets one.
inline uint64_t identityWordOf(const char* label, int32_t data, class_base* dataBox, bool* whole) {
  if (dataBox) {
    const std::type_info& kind = typeid(*dataBox);
    if (kind == typeid(boxPTR) || kind == typeid(boxVALUE))
      return identityNumberWord(static_cast<const box*>(dataBox)->value, whole);
  } else if (data != 0) {
    return identityNumberWord(data, whole);
  }
  return identityWord(identityOf(label, data, dataBox), whole);
}
