// The label each game showed last in the games list, kept in the game so that
// a refilter (on every keystroke in a filter field) copies it instead of
// writing it anew. A kept label is used only while it is still the game's:
// the game's name, tags, play count and last-played time are checked against
// it each time, so a game changed anywhere (edited, tagged, launched) gets a
// new one.
#pragma once

class game;

// The game's label (makeGameEntryLabel), kept in the game: it stays as it is
// until the next call for the same game.
const char* shownLabelOf(game* g);
// The same, a new string.
char* copyOfShownLabel(game* g);
