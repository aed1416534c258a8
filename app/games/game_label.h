// The line a game shows in the games list.
#pragma once

class game;

// name TAB tags (without their outer commas) TAB play count TAB last played
// ("YYYY-MM-DD hh:mm"); the play count and the time are empty when 0. A
// control character in the name or the tags (a TAB would start another
// column) is shown as a blank; the game keeps its own text. A new string.
char* makeGameEntryLabel(const game* g);

// How a character of a name or tags stands in a label: bytes 1-31 and 127
// as a blank, any other as itself.
inline char labelChar(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return (byte >= 1 && byte <= 31) || byte == 127 ? ' ' : c;
}
