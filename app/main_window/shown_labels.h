// The label each game showed last in the games list, kept so that a refilter
// (on every keystroke in a filter field) copies it instead of writing it
// anew. A kept label is used only while it is still the game's: the game's
// name, tags, play count and last-played time are checked against it each
// time, so a game changed anywhere (edited, tagged, launched) gets a new one.
#pragma once
#include <cstdint>
#include <string>
#include <unordered_map>

#include "core/dates.h"

class game;

class ShownLabels {
 public:
  // The game's label (makeGameEntryLabel), a new string.
  char* copyFor(const game* g);
  // After a pass over all games of the list: keeps the memory for labels of
  // games that are gone within bounds.
  void forgetGoneGames(size_t games);
  size_t size() const { return kept.size(); }

 private:
  struct Kept {
    std::string label;
    int32_t playCount = 0;
    BigTime lastPlayed = 0;
  };
  // By the game's address: a game ended and another made in its place is
  // told apart by the check.
  std::unordered_map<const game*, Kept> kept;
  static bool stillShows(const Kept& k, const game* g);
};
