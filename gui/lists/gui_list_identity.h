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
