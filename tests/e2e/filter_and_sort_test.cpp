// Finding games in a list: the filters by name, path and tag, the tag Hide
// mode, clearing them, and sorting by each column both ways, checked against
// the order a plain sort of the same games gives.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <strings.h>
#include <vector>

#include "tests/e2e/e2e_scenario.h"

namespace {

struct Shelved {
  std::string name, path, tags;
  int plays;
  unsigned lastPlayedMinutes;  // 0: never played
};

// Each column puts these games in a different order; "10" plays sorts after
// "3" only when the count is compared as a number.
const std::vector<Shelved> games = {
    {"alpha", "Games:Racing/alpha.adf", ",Racing,", 2, 0x1B00000},
    {"Beta", "Games:Think/Beta.adf", ",Action,", 10, 0},
    {"Delta", "Games:Think/Delta.adf", ",Puzzle,", 1, 0x1C00000},
    {"Gamma", "Games:Mixed/Gamma.adf", ",Floppy,Puzzle,", 3, 0x1A00000},
};

std::string listFile() {
  std::string text = "5";
  for (const Shelved& g : games) {
    char last[16];
    std::snprintf(last, sizeof last, "$%x", g.lastPlayedMinutes);
    text += "\n" + g.name + "\n" + g.path + "\n" + g.tags + "\n\n" + std::to_string(g.plays) + "\n" + last + "\n";
  }
  return text;
}

// Script lines that expect the rows, top to bottom, to be the games in `order`.
std::string expectOrder(std::vector<Shelved> order, bool descending) {
  if (descending) std::reverse(order.begin(), order.end());
  std::string lines;
  for (size_t row = 0; row < order.size(); ++row)
    lines += "click-row Games #" + std::to_string(row + 1) + "\nexpect-text Selected \"" + order[row].path + "\"\n";
  return lines;
}

// The games sorted by column (1 name, 2 tags, 3 play count, 4 last played).
std::vector<Shelved> sortedBy(int column) {
  std::vector<Shelved> order = games;
  std::stable_sort(order.begin(), order.end(), [column](const Shelved& a, const Shelved& b) {
    switch (column) {
      case 1: return strcasecmp(a.name.c_str(), b.name.c_str()) < 0;
      case 2: return strcasecmp(a.tags.c_str(), b.tags.c_str()) < 0;
      case 3: return a.plays < b.plays;
      default: return a.lastPlayedMinutes < b.lastPlayedMinutes;
    }
  });
  return order;
}

TEST(FilterAndSort, FiltersNarrowTheListAndClearRestoresIt) {
  LudexSandbox box;
  const std::string list = listFile();
  E2eStart start{.script =
                     "expect-rows Games 4\n"
                     "type Name \"ta\" enter\n"
                     "expect-rows Games 2\nexpect-row Games Beta\nexpect-row Games Delta\n"
                     "type Name \"\" enter\n"
                     "type Path \"think\" enter\n"
                     "expect-rows Games 2\nexpect-row Games Beta\nexpect-row Games Delta\n"
                     "type Path \"~think\" enter\n"
                     "expect-rows Games 2\nexpect-row Games alpha\nexpect-row Games Gamma\n"
                     "type Path \"\" enter\n"
                     "type Tags \"puzzle\" enter\n"
                     "expect-text Tags \"puzzle\"\n"
                     "expect-rows Games 2\nexpect-row Games Delta\nexpect-row Games Gamma\n"
                     "choose Mode Hide\n"
                     "expect-text Tags \"~Puzzle\"\n"
                     "expect-rows Games 2\nexpect-row Games alpha\nexpect-row Games Beta\n"
                     "choose Mode Show\n"
                     // Every field must pass: a name and a tag together.
                     "type Name \"ta\" enter\n"
                     "expect-rows Games 1\nexpect-row Games Delta\n"
                     "press X\n"
                     "expect-text Name \"\"\nexpect-text Path \"\"\nexpect-text Tags \"\"\n"
                     "expect-rows Games 4\n"
                     "close\n",
                 .listIs = list};
  playScenario(box, {.list = list, .starts = {start}});
}

TEST(FilterAndSort, EachColumnSortsUpThenDown) {
  LudexSandbox box;
  const std::string list = listFile();
  // The list opens sorted by name; a title clicked sorts up by its column,
  // clicked again it turns that order round.
  E2eStart start{.script = expectOrder(sortedBy(1), false), .listIs = list};
  for (int column : {2, 3, 4, 1}) {
    const std::string click = "click-title Games " + std::to_string(column) + "\n";
    start.script += click + expectOrder(sortedBy(column), false) + click + expectOrder(sortedBy(column), true);
  }
  start.script += "close\n";
  playScenario(box, {.list = list, .starts = {start}});
}

}  // namespace
