// The game list file the main-window benchmarks load: `games` games named
// "Game 000000 Quest" (every seventh "... Racer"), 100 to a folder of the
// Games: volume, tagged in turn from benchGameTags, with play counts and
// last-played times. No game files are written: the list alone is read.
#pragma once
#include <cstdio>
#include <fstream>
#include <string>

// The tags of game i are benchGameTags[i % 5] (the last: none).
inline const char* const benchGameTags[] = {",Racing,", ",Platform,", ",Puzzle,Favourite,", ",C64,", ","};

class BenchGameList {
 public:
  // Writes the list file at `path`.
  static void write(const std::string& path, int games) {
    std::string text = "5";
    for (int i = 0; i < games; ++i) {
      char fields[160];
      std::snprintf(fields, sizeof fields, "\nGame %06d %s\nGames:dir%04d/game%06d.adf\n%s\n\n%d\n$%x\n", i,
                    i % 7 ? "Quest" : "Racer", i / 100, i, benchGameTags[i % 5], i % 50, i % 3 ? 13000000 + i : 0);
      text += fields;
    }
    std::ofstream(path, std::ios::binary) << text;
  }
};
