// cDirEntryList: the names of a directory's entries, a directory's name with
// its "/", kept in ascending order with a-z folded, no two names equal
// ignoring case ("Games" before "Games/" before "Gamesbox"). A cursor
// (the current entry) walks the names by kind.
#pragma once
#include <cstdint>

#include "core/class_base.h"

// Entry kinds of gotoFirst/gotoNext and makeUniqueName.
constexpr int32_t ENTRY_ANY = 0;
constexpr int32_t ENTRY_FILE = 1;  // a name not ending in "/" and not empty
constexpr int32_t ENTRY_DIR = 2;   // a name ending in "/", or empty

// The seed of makeUniqueName's numbers: set from the time count when the
// directory-base module starts, then each number drawn.
extern uint32_t cPath_randomSeed_cpath_dirbase;

// Starts the directory-base module: seeds makeUniqueName from the time count
// (DEV when the timer is not open). The module has nothing to end.
void new_cpath_dirbase();

class cDirEntryList : public class_base {
  LUDEX_CLASS(cDirEntryList, class_base)

 public:
  char* names = nullptr;          // owned chain of strings, in order
  char* previousEntry = nullptr;  // the one before the current entry (NIL: it is the first)
  char* currentEntry = nullptr;   // the cursor; NIL when on none

  // The constructor: no names, no cursor.
  virtual void new_cDirEntryList();
  // Disposes every name.
  void end_class() override;
  // A new bare list of this class.
  virtual cDirEntryList* make();
  // A new list holding copies of all names, its cursor on none.
  virtual cDirEntryList* clone();

  // Makes the first entry of the kind (ENTRY_...) current; TRUE when there
  // is one, else the cursor is on none. EMU for another kind.
  virtual bool gotoFirst(int32_t any0file1dir2);
  // Moves on to the next entry of the kind; at the end the cursor is on none
  // and the answer FALSE (also when it was on none already).
  virtual bool gotoNext(int32_t any0file1dir2);
  // The current entry's name (the list's), "" when the cursor is on none.
  virtual const char* infoName();
  // TRUE when an entry equal to name ignoring case is present; it becomes
  // current. With ignoreKind a file name also finds the directory of that
  // name (Games finds Games/), while a directory name finds only a
  // directory. When none is found the cursor is on none. EMU for NIL.
  virtual bool findName(const char* name, bool ignoreKind);
  // Removes and disposes the current entry; the next becomes current. EMU
  // when the cursor is on none.
  virtual void remove_cDirEntryList();
  // Inserts a copy of name in its place; FALSE when a name equal to it
  // ignoring case is present. EMU for NIL.
  virtual bool add(const char* name);
  // As add, taking the string itself (its link is replaced): the list owns
  // it, and disposes it when it is refused. EMU for NIL.
  virtual bool addString(char* string);
  // Adds every name of other; the answer counts those refused. EMU for NIL.
  virtual int32_t addList(cDirEntryList* other);
  // A new name that the list does not hold as either kind: prefix (NIL:
  // "TMP") and a number in lower-case hexadecimal, for a directory
  // (file1dir2 = 2) with "/". EMU for another kind; BUG when 999 drawn names
  // are all taken.
  virtual char* makeUniqueName(int32_t file1dir2, const char* prefix);
};
