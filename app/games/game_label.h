// The line a game shows in the games list.
#pragma once

class game;

// name TAB tags (without their outer commas) TAB play count TAB last played
// ("YYYY-MM-DD hh:mm"); the play count and the time are empty when 0. A new string.
char* makeGameEntryLabel(const game* g);
