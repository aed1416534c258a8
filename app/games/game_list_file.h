// The game list file "PROGDIR:/Ludex.list": a version line ("5"), then per
// game its name, host path, padded tags, params, play count, last played
// ("$" and the minutes in hexadecimal) and an empty line. Versions 1 to 5 are
// read. Saved through "Ludex.list.tmp" with the previous list kept as
// "Ludex.list.bak".
#pragma once

class cMegaList_class;
class cStringSpace;
class cGuiList;

// Reads the list file into the (empty) list and returns a new tag space.
// Raises "list" for a faulty file; games read before the fault stay listed.
// A save that was interrupted is completed first.
cStringSpace* loadGameList(cMegaList_class* gameList);
// Rebuilds tagSpace and writes the whole list. A failed save is silent and
// leaves the old list and backup in place. The tag filter list (NIL: none)
// is refreshed afterwards, whether or not the file was written.
void saveGameList(cMegaList_class* gameList, cGuiList* tagFilterList);
// After a "list" error: sets the faulty file aside as "Ludex.list.BAD" (or
// deletes it when that name is taken) and copies the backup into its place.
void repairGameListFile();
// Makes the tag space of the built-in tags and every launcher's tag.
cStringSpace* makeTagSpace();
