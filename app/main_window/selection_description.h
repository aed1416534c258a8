// The short text that names the selection of the games list.
#pragma once

class cGuiList;

// A new string: "" when no game is selected; the selected game's path in host
// form when one is; else the number of selected games and "games". Moves the
// list's cursor.
char* selectionDescription(cGuiList* gamesList);
