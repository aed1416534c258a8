// Adding games from a file, or from every game file below a folder.
#pragma once

class cMegaList_class;
class cGuiList;

// Adds the file, or walks the folder (a path ending in "/"), into the game
// list and the shown games list, saves the game list (refreshing the tag
// filter list) and makes the added game the only selected entry.
void addFileOrFolder(const char* path, cMegaList_class* gameList, cGuiList* gamesGuiList, cGuiList* tagsGuiList);
