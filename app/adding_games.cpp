#include "app/adding_games.h"

// NOT BUILT YET: nothing is added; the game list and the window stay as they are.
void addFileOrFolder(const char* path, cMegaList_class* gameList, cGuiList* gamesGuiList, cGuiList* tagsGuiList) {
  (void)path, (void)gameList, (void)gamesGuiList, (void)tagsGuiList;
}
