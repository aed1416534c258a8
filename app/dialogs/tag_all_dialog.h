// The "Tag all selected games" dialog: adds or removes tags on every game
// selected in the games list at once.
#pragma once

class cGuiList;

// Changes the tags of the games selected in gamesList in place and refreshes
// the list. The caller saves the game list afterwards.
void requestTagAll(cGuiList* gamesList);
