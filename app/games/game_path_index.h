// The games of a game list by their paths, so that adding a folder of many
// files finds each one already listed without a walk of the whole list.
#pragma once
#include <cstddef>
#include <cstdint>

#include "core/class_base.h"
#include "core/lists/mega_mini_list.h"

class cMegaList_class;
class cMegaCursorGeneric;
class game;

// Paths compare ignoring a-z case, as the game list's own search does. The
// index holds nodes of the list and reads the paths of their games, so it
// lives only while nothing but its own user changes the list: it is made for
// one add and ended after it.
class cGamePathIndex : public class_base {
  LUDEX_CLASS(cGamePathIndex, class_base)
 public:
  // Indexes every game of the list; of two games with one path the first
  // counts, as for a search from the list's start.
  virtual void new_cGamePathIndex(cMegaList_class* games);
  void end_class() override;

  // The listed game with this path, with gameCursor moved onto it; NIL (and
  // the cursor left where it was) when there is none.
  virtual game* find(const char* path, cMegaCursorGeneric* gameCursor);
  // Takes note of the game just appended to the list (its last node).
  virtual void addLast();

 private:
  // One open-addressing table of every path's hash beside its node: a path
  // not listed costs one look into the table.
  struct Slot {
    uint64_t hash;
    oMegaNode* node;  // NIL: a free slot
  };
  oMegaNode* nodeOf(const char* path, uint64_t hash) const;
  void add(oMegaNode* node);
  void grow();

  cMegaList_class* games_ = nullptr;
  Slot* slots_ = nullptr;
  size_t capacity_ = 0;  // a power of two; the table is kept at most half full
  size_t count_ = 0;
};
