// The game list file "PROGDIR:/Ludex.list": a version line ("5"), then per
// game its name, host path, padded tags, params, play count, last played
// ("$" and the minutes in hexadecimal) and an empty line. Versions 1 to 5 are
// read. Saved through "Ludex.list.tmp" with the previous list kept as
// "Ludex.list.bak"; a field that ends in "\r" is written with one "\r" more,
// which reading takes off again.
#pragma once
#include <cstdint>

class cMegaList_class;
class cStringSpace;
class cGuiList;
struct FileReplacement;

// Reads the list file into the (empty) list and returns a new tag space.
// Raises "list" for a faulty file; games read before the fault stay listed.
// A save that was interrupted is completed first; without a list, the
// backup is read where it is. A list that is there but cannot be read is
// left as it is: the user is told why and the program ends with 20.
cStringSpace* loadGameList(cMegaList_class* gameList);
// Rebuilds tagSpace and writes the whole list. A failed save leaves the old
// list in place and tells the user why, as does, once a run, a save that
// could not keep the old list as the backup. The tag filter list (NIL: none)
// is refreshed afterwards, whether or not the file was written.
void saveGameList(cMegaList_class* gameList, cGuiList* tagFilterList);

// Makes the tag space of the built-in tags and every launcher's tag.
cStringSpace* makeTagSpace();
// Reads the games of a list file's text (as readText gives it) into the list
// and their tags into the space; "list" when the text is faulty.
void readGameListText(char* text, int32_t length, cMegaList_class* gameList, cStringSpace* space);
// The list file with its temporary, partial and backup names, as a save
// replaces it.
FileReplacement gameListReplacement();
// The file the last loadGameList read (the list, or without one the complete
// temporary file or the backup); NIL before any.
const char* lastReadGameListFile();
