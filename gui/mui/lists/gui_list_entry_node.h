// entryNode: one row of a list host, the entry that NList keeps for it: the
// column strings shown, the label, the alternative colour, the data value or
// data box, the program's mark, and the links of the batch it is inserted
// with. entryList holds the entries added before the list was built.
#pragma once
#include <cstdint>
#include <typeinfo>

#include "core/box.h"
#include "gui/lists/gui_list_identity.h"
#include "gui/lists/gui_list_sort.h"
#include "gui/mui/lists/gui_list_marks.h"

class cGuiListHost;

class entryNode : public markNode {
  LUDEX_CLASS(entryNode, markNode)
 public:
  // Takes the label (NIL: "") and the box over; a box clears the data value;
  // a marked entry joins the host's marks. The entry stands in a ring of its
  // own.
  virtual entryNode* new_entryNode(char* text, cGuiListHost* owner, bool alt, bool mark, int32_t value,
                                   class_base* box);
  // Disposes the column strings and the label, ends the box, leaves the marks.
  void end_class() override;
  // Stores the flag and joins or leaves the host's marks when it changes.
  virtual void setMarked(bool flag);
  // The column strings shown come from text (NIL: the entry's own label),
  // each prefixed with the alternative colour's pen when alt is TRUE; a text
  // replaces the label (the entry takes it over).
  virtual void change(char* text, bool alt);
  // The column strings (parseIntoColumns of the label), made when first
  // asked for: most rows of a long list are never shown.
  char** columnTexts();
  // change with a copy of text: the caller keeps its string.
  virtual void changeLabel(const char* text);
  virtual void changeAltColour(bool flag) { change(nullptr, flag); }
  // Takes the label out (the caller's); the entry keeps an empty one.
  char* takeLabel();
  // The tie part of the sort key is made again when next asked for: after
  // the data value, the data box or (for an entry without data) the label
  // changed.
  void forgetTie() { tie = TIE_NOT_MADE; }
  // Makes the tie part of the sort key (of what the entry stands for) when
  // it is still to be made.
  void makeTie() {
    if (tie != TIE_NOT_MADE) return;
    // The usual entries (a pointer or value box, a data value) at once:
    // every entry a list adds makes its tie.
    bool whole = false;
    if (dataBox) {
      const std::type_info& kind = typeid(*dataBox);
      if (kind != typeid(boxPTR) && kind != typeid(boxVALUE)) return makeTieNow();
      tie = identityNumberWord(static_cast<const box*>(dataBox)->value, &whole);
    } else if (data != 0) {
      tie = identityNumberWord(data, &whole);
    } else {
      return makeTieNow();
    }
    tieWhole = whole;
  }
  // The sort key as the entry holds it: the text part as made when the
  // host's key stamp was sortKeyStamp (not usable when none was made), the
  // tie part as makeTie left it.
  GuiListSortKey sortKey() const {
    GuiListSortKey key;
    key.high = keyHigh;
    key.low = keyLow;
    key.usable = sortKeyStamp != 0;
    key.whole = keyWhole;
    key.tieMade = tie != TIE_NOT_MADE;
    key.tie = key.tieMade ? tie : 0;
    key.tieWhole = tieWhole;
    return key;
  }
  // Takes a tie word made of what the entry stands for (by another's
  // identityWordOf of the same label, data and box).
  void setTie(uint64_t word, bool whole) {
    tie = word;
    tieWhole = whole;
  }
  // Takes the text part of a key, made when the host's stamp was stamp (a
  // key that is not usable counts as none made).
  void setKeyText(const GuiListSortKey& key, uint32_t stamp) {
    keyHigh = key.high;
    keyLow = key.low;
    keyWhole = key.whole;
    sortKeyStamp = key.usable ? stamp : 0;
  }

  // What a sort, a merge or a removal reads of a shown entry comes first,
  // beside the links, within the entry's first 80 bytes: the sort key (its
  // text part with its stamp, its tie word), the label, the box and the
  // flags. A walk through the rows asks for two cache lines from an entry's
  // start ahead of it, which hold its first 80 bytes wherever in a line the
  // entry starts; a sort then reads one or two lines of each entry. The data
  // value, read only for an entry without a box, follows.
  uint64_t keyHigh = 0;
  uint64_t keyLow = 0;
  // The tie word (identityWordOf), or TIE_NOT_MADE: no identity word has
  // every bit set (their top byte is a kind, 0 to 2).
  static constexpr uint64_t TIE_NOT_MADE = ~uint64_t{0};
  uint64_t tie = TIE_NOT_MADE;
  char* label = nullptr;          // owned
  class_base* dataBox = nullptr;  // owned
  uint32_t sortKeyStamp = 0;      // 0: no text key made since the label changed
  bool keyWhole = false;
  bool tieWhole = false;
  bool altColour = false;
  bool marked = false;
  int32_t data = 0;  // 0 whenever a box is held
  int32_t columnCount = 0;
  char** columns = nullptr;  // owned: one string per list column; NIL until asked for
  cGuiListHost* host = nullptr;
  entryNode* batchNext = this;  // the ring of the batch it came with
  entryNode* batchPrevious = this;

 private:
  void makeTieNow();
};

// Asks the processor for the first 80 bytes of an entry, all that a sort or
// a merge reads of it, a few entries before it is read.
inline void fetchEntryAhead(const entryNode* entry) {
  __builtin_prefetch(entry);
  __builtin_prefetch(reinterpret_cast<const char*>(entry) + 64);
}

// The entries added before the list was built, in the order added: a ring
// along the batch links whose first entry is the head, owned until the list
// inserts them.
class entryList : public markList {
  LUDEX_CLASS(entryList, markList)
 public:
  // Splices the batch ring that starts at first in before the head, so that
  // it follows every batch added before it. BUG "entryList.prependNodes();
  // nodes not linked" when first stands in no ring.
  virtual void prependNodes(entryNode* first);
  // The first entry, taken out with every entry after it: the caller owns
  // the ring from then on. NIL when empty.
  entryNode* takeAll();
  // Ends every entry still held.
  void end_class() override;
};

// Links the ring that starts at other in after the last entry of the ring
// that starts at first; answers the joined ring's first entry.
entryNode* appendRing(entryNode* first, entryNode* other);

// Ends every entry of the batch ring that starts at first.
void endEntryRing(entryNode* first);

// The column strings of text: one block (given back with Arena::release)
// holding the array of columns strings, then the strings: prefix (NIL: none)
// and the text of each TAB-separated column of text, then empty strings
// (without prefix) for the columns the text lacks; text after the last
// column is ignored. The block array held before is released.
char** parseIntoColumns(const char* text, int32_t columns, char** array, const char* prefix);
