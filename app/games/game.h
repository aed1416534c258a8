// The application's record of one game, and the in-memory game list.
#pragma once
#include <cstdint>

#include "core/class_base.h"
#include "core/dates.h"

class cMegaList_class;
class cMegaCursor_class;
class cStringSpace;
struct GuiListEntryMore;

class game : public class_base {
  LUDEX_CLASS(game, class_base)
 public:
  // Takes over the four strings. A NIL tags becomes ","; an empty params is
  // stored as NIL. Records whether the path (or the path with ".info") exists;
  // seen: the caller has just found it on disk, so it is not looked for again.
  virtual void new_game(char* name, char* path, char* tags, char* params, int32_t playCount, BigTime lastPlayed,
                        bool seen = false);
  void end_class() override;
  // The game's row for the games list, as an entry producer yields it: the
  // label (a new string); in *more the alternative colour when the game's
  // files were missing, and a data box holding the game (not owning it),
  // through which the main window finds a row's game.
  virtual char* mapToEntry(GuiListEntryMore* more);
  // The same row with a label made already (taken over; it must be the one
  // makeGameEntryLabel gives).
  char* mapToEntryWithLabel(char* label, GuiListEntryMore* more);

  char* name = nullptr;
  char* path = nullptr;    // canonical form
  char* tags = nullptr;    // padded tag string
  char* params = nullptr;  // NIL when none
  int32_t playCount = 0;
  BigTime lastPlayed = 0;  // 0: never
  bool exists = false;
  // The games list's label as last made for the game, with the play count
  // and time it was made with (owned; NIL: none). Kept so that refilling the
  // list on every keystroke copies it; app/main_window/shown_labels checks
  // it against the game before each use.
  char* shownLabel = nullptr;
  int32_t shownPlayCount = 0;
  BigTime shownLastPlayed = 0;
};

// The game list (it owns its games: a game ends with the list, or when the
// main window removes it), its cursor and the set of every known tag. Made
// and ended by the main window.
extern cMegaList_class* list;
extern cMegaCursor_class* cursor;
extern cStringSpace* tagSpace;

// Appends the game at the end of the list; returns it.
game* addGameToList(cMegaList_class* gameList, game* g);
// Moves the cursor onto this very game object; FALSE when it is not in the list.
bool list_findGame(cMegaList_class* gameList, cMegaCursor_class* gameCursor, game* g);
// Moves the cursor onto the first game whose path equals path ignoring case.
bool list_findPath(cMegaList_class* gameList, cMegaCursor_class* gameCursor, const char* path);
