// The games a user selected, checked against a model of the user's
// selection. The real program runs on a random list whose games tie in every
// column (two of them share a name); a display of the test's own stands where
// a person would sit: at each of the program's waits for input it compares
// the games selected in the games list, the "Selected" text and the buttons
// ghosted with what the model says, then makes a random gesture and tells
// the model: clicks (plain, Shift, Ctrl), title clicks in both directions,
// filters typed and cleared, "Edit" over the selected games (renaming,
// skipping, cancelling), "Tag all" adding and removing tags, and "Remove"
// answered OK or Cancel. The model knows nothing of rows: a selected game
// stays selected until the user unselects it, the list hides it, or a
// dialog is done with it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "app/games/game.h"
#include "core/box.h"
#include "gui/mui/lists/gui_list_entry_node.h"
#include "os/intuition/requester_answers.h"
#include "os/mui/classes/application.h"
#include "os/mui/classes/window.h"
#include "os/mui/driver/host_display.h"
#include "os/mui/driver/item_finder.h"
#include "os/mui/driver/user_driver.h"
#include "os/mui/lists/nlist.h"
#include "os/mui/mui_lists.h"
#include "tests/app/ludex_run.h"

namespace {

struct ModelGame {
  int id;
  std::string name, path, tags;  // tags padded, as stored
  bool removed = false;
};

std::string upper(std::string s) {
  for (char& c : s) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
  return s;
}

// A filter field's single word (no "~", no separators): a game passes when
// the word occurs in the field, ignoring case; an empty word passes all.
bool passes(const std::string& field, const std::string& word) {
  return word.empty() || upper(field).find(upper(word)) != std::string::npos;
}

struct Model {
  std::vector<ModelGame> games;
  std::set<int> selected;
  std::string name, path, tag;  // the filter words

  bool visible(const ModelGame& g) const {
    return !g.removed && passes(g.name, name) && passes(g.path, path) &&
           (tag.empty() || upper(g.tags).find("," + upper(tag) + ",") != std::string::npos);
  }
  // The list shows only visible games; a hidden one is no longer selected.
  void refiltered() {
    for (auto it = selected.begin(); it != selected.end();)
      it = visible(games[static_cast<size_t>(*it)]) ? std::next(it) : selected.erase(it);
  }
  size_t visibleCount() const {
    return static_cast<size_t>(
        std::count_if(games.begin(), games.end(), [&](const ModelGame& g) { return visible(g); }));
  }
  std::string selectedText() const {
    if (selected.empty()) return "";
    if (selected.size() == 1) return games[static_cast<size_t>(*selected.begin())].path;
    return std::to_string(selected.size()) + " games";
  }
};

// The tags with the padded tag added, or every occurrence of it removed, as
// "Tag all" changes them (whole tags, case matters).
std::string withTag(std::string tags, const std::string& tag, bool add) {
  const std::string padded = "," + tag + ",";
  if (add) {
    if (tags.find(padded) != std::string::npos) return tags;
    if (!tags.empty() && tags.back() == ',') tags.pop_back();
    return tags + padded;
  }
  for (size_t at = tags.find(padded); at != std::string::npos; at = tags.find(padded))
    tags = tags.substr(0, at) + tags.substr(at + padded.size() - 1);
  return tags;
}

// The display the program waits on: one gesture per wait.
class ModelDisplay : public mui::HostDisplay {
 public:
  ModelDisplay(Model model, unsigned seed, int steps) : m(std::move(model)), random(seed), stepsLeft(steps) {}
  ~ModelDisplay() override { mui::setHostDisplay(before); }
  void install() { before = mui::setHostDisplay(this); }

  void refresh() override {}

  bool waitForInput(uint32_t) override {
    Object* app = mui::Application::current();
    if (!app || app->children.empty()) return false;
    if (Object* edit = windowTitled(app, "Edit game")) {
      editDialog(edit);
    } else if (Object* tagAll = windowTitled(app, "Tag all selected games")) {
      tagAllDialog(tagAll);
    } else {
      Object* main = mui::findWindow(app, "MAIN");
      if (editing) finishEditLoop();
      check(main);
      if (failed || stepsLeft-- <= 0) {
        if (!failed) std::printf("done after %d gestures\n", step);
        mui::user::requestClose(main);
      } else {
        gesture(main);
      }
    }
    return true;
  }

 private:
  Model m;
  std::mt19937 random;
  int stepsLeft;
  mui::HostDisplay* before = nullptr;
  bool failed = false;
  int step = 0;
  std::string lastGesture = "none";
  // The Edit loop: the games it is to offer, those it offered.
  bool editing = false;
  bool editCancelled = false;
  std::set<int> toOffer, offered;
  int tagAllApplies = 0;

  static Object* windowTitled(Object* app, const char* title) {
    for (Object* w : app->children)
      if (const char* t = static_cast<mui::MuiWindow*>(w)->title(); t && std::string(t) == title) return w;
    return nullptr;
  }
  unsigned pick(unsigned n) { return static_cast<unsigned>(random() % n); }
  template <class T>
  const T& pickOf(const std::vector<T>& items) {
    return items[pick(static_cast<unsigned>(items.size()))];
  }

  void fail(const std::string& what) {
    if (failed) return;
    failed = true;
    std::printf("step %d, after %s: %s\n", step, lastGesture.c_str(), what.c_str());
  }

  // The games list as the program shows it: each row's game id, and which
  // rows are selected.
  static Object* gamesObject(Object* main) { return mui::findItem(main, mui::ItemKind::List, "Games"); }
  static mui::NList* rowsOf(Object* main) { return dynamic_cast<mui::NList*>(mui::listOf(gamesObject(main))); }
  static int idOfRow(mui::NList* rows, size_t row) {
    auto* entry = reinterpret_cast<entryNode*>(DoMethod(rows, MUIM_NList_GetEntry, row, nullptr));
    auto* b = entry ? dynamic_cast<boxPTR*>(entry->dataBox) : nullptr;
    auto* g = b ? static_cast<game*>(b->pointer()) : nullptr;
    return g && g->params ? std::atoi(g->params + 4) : -1;  // "-id N"
  }
  static bool rowSelected(mui::NList* rows, size_t row) {
    IPTR state = 0;
    DoMethod(rows, MUIM_NList_Select, row, MUIV_NList_Select_Ask, &state);
    return state != 0;
  }

  void check(Object* main) {
    mui::NList* rows = rowsOf(main);
    std::set<int> shownSelected;
    for (size_t r = 0; r < rows->userRowCount(); ++r)
      if (rowSelected(rows, r)) shownSelected.insert(idOfRow(rows, r));
    auto names = [&](const std::set<int>& ids) {
      std::string s;
      for (int id : ids) s += " " + (id >= 0 ? m.games[static_cast<size_t>(id)].path : std::string("?"));
      return s.empty() ? std::string(" none") : s;
    };
    if (shownSelected != m.selected) fail("selected:" + names(shownSelected) + ", the user chose:" + names(m.selected));
    if (rows->userRowCount() != m.visibleCount())
      fail(std::to_string(rows->userRowCount()) + " rows, " + std::to_string(m.visibleCount()) + " games pass");
    const std::string text = mui::shownText(mui::findItem(main, mui::ItemKind::Shown, "Selected"));
    if (text != m.selectedText()) fail("\"Selected\" shows \"" + text + "\", not \"" + m.selectedText() + "\"");
    const size_t count = m.selected.size();
    for (const char* button : {"Edit", "Tag all", "Remove", "Open folder"}) {
      const bool usable = mui::canAct(mui::findItem(main, mui::ItemKind::Button, button));
      const bool expected = std::string(button) == "Open folder" ? count == 1 : count > 0;
      if (usable != expected) fail(std::string("\"") + button + "\" " + (usable ? "usable" : "ghosted"));
    }
  }

  void gesture(Object* main) {
    ++step;
    mui::NList* rows = rowsOf(main);
    const size_t rowCount = rows->userRowCount();
    // The buttons only with a selection, clicks only on rows.
    const bool some = !m.selected.empty();
    unsigned kind = pick(20);
    if (kind < 8 && rowCount == 0) kind = 10;
    if (kind >= 14 && kind < 19 && !some) kind = rowCount > 0 ? 0 : 10;
    if (kind < 8) {
      click(main, rows, static_cast<size_t>(pick(static_cast<unsigned>(rowCount))));
    } else if (kind < 10) {
      const auto column = static_cast<size_t>(pick(4));
      mui::user::clickTitle(gamesObject(main), column);
      lastGesture = "a click on title " + std::to_string(column + 1);
    } else if (kind < 14) {
      typeFilter(main);
    } else if (kind < 16) {
      editing = true;
      toOffer = m.selected;
      offered.clear();
      mui::user::press(mui::findItem(main, mui::ItemKind::Button, "Edit"));
      lastGesture = "Edit";
    } else if (kind < 18) {
      tagAllApplies = 1 + static_cast<int>(pick(2));
      mui::user::press(mui::findItem(main, mui::ItemKind::Button, "Tag all"));
      lastGesture = "Tag all";
    } else if (kind < 19) {
      remove(main);
    } else {
      m.name = m.path = m.tag = "";
      m.refiltered();
      mui::user::press(mui::findItem(main, mui::ItemKind::Button, "X"));
      lastGesture = "X";
    }
  }

  // A click on a row: alone, with Ctrl or with Shift.
  void click(Object* main, mui::NList* rows, size_t row) {
    const int id = idOfRow(rows, row);
    const unsigned how = pick(3);
    if (how == 0) {
      m.selected = {id};
      mui::user::clickRow(gamesObject(main), row);
    } else if (how == 1) {
      if (!m.selected.erase(id)) m.selected.insert(id);
      mui::user::clickRow(gamesObject(main), row, mui::RowClick::Ctrl);
    } else {
      // From the active row to this one, added to the selection.
      const long active = rows->userActiveRow();
      const size_t from = active >= 0 ? static_cast<size_t>(active) : row;
      for (size_t r = std::min(from, row); r <= std::max(from, row); ++r) m.selected.insert(idOfRow(rows, r));
      mui::user::clickRow(gamesObject(main), row, mui::RowClick::Shift);
    }
    lastGesture = std::string(how == 0   ? "a click"
                              : how == 1 ? "a Ctrl click"
                                         : "a Shift click") +
                  " on " + m.games[static_cast<size_t>(id)].path;
  }

  void typeFilter(Object* main) {
    const unsigned field = pick(3);
    std::string word;
    const char* label = nullptr;
    if (field == 0) {
      word = pickOf(std::vector<std::string>{"", "a", "e", "o", "mm"});
      m.name = word;
      label = "Name";
    } else if (field == 1) {
      word = pickOf(std::vector<std::string>{"", "adf", "lha", "G1", "2"});
      m.path = word;
      label = "Path";
    } else {
      // Tags the tag list always holds: the field keeps them.
      word = pickOf(std::vector<std::string>{"", "Racing", "racing", "Platform"});
      m.tag = word;
      label = "Tags";
    }
    m.refiltered();
    mui::user::type(mui::findItem(main, mui::ItemKind::Field, label), word.c_str(), true);
    lastGesture = std::string("typing \"") + word + "\" into " + label;
  }

  void remove(Object* main) {
    // Two or more are asked about first.
    bool ok = true;
    if (m.selected.size() >= 2) {
      ok = pick(4) != 0;
      RequesterAnswer answer;
      answer.kind = RequesterAnswer::Kind::Button;
      answer.label = ok ? "OK" : "Cancel";
      queueRequesterAnswer(answer);
    }
    if (ok) {
      for (int id : m.selected) m.games[static_cast<size_t>(id)].removed = true;
      m.selected.clear();
    }
    mui::user::press(mui::findItem(main, mui::ItemKind::Button, "Remove"));
    lastGesture = ok ? "Remove" : "Remove, cancelled";
  }

  // One dialog of the Edit loop: it must offer a selected game it did not
  // offer before.
  void editDialog(Object* dialog) {
    const std::string params = mui::shownText(mui::findItem(dialog, mui::ItemKind::Shown, "Launcher parameters"));
    const int id = std::atoi(params.c_str() + 4);
    if (!toOffer.count(id) || offered.count(id))
      fail("Edit offers " + m.games[static_cast<size_t>(id)].path + (offered.count(id) ? " again" : ", not selected"));
    offered.insert(id);
    const unsigned choice = pick(6);
    if (choice == 0) {
      mui::user::press(mui::findItem(dialog, mui::ItemKind::Button, "Cancel"));
      editCancelled = true;  // this game and the rest stay selected
      return;
    }
    m.selected.erase(id);
    if (choice == 1) {
      mui::user::press(mui::findItem(dialog, mui::ItemKind::Button, "Skip"));
    } else {
      const std::string name = pickOf(std::vector<std::string>{"Apple", "Emerald Mine", "Lemmings", "apple"});
      m.games[static_cast<size_t>(id)].name = name;
      mui::user::type(mui::findItem(dialog, mui::ItemKind::Field, "Name"), name.c_str(), false);
      mui::user::press(mui::findItem(dialog, mui::ItemKind::Button, "OK"));
    }
  }

  // Back at the main window: the loop offered every game selected when
  // Edit was pressed, each once (checked as each was offered), unless the
  // user cancelled; those it did not offer are still selected.
  void finishEditLoop() {
    editing = false;
    if (!editCancelled && offered != toOffer) fail("the Edit loop never offered some of the selected games");
    editCancelled = false;
    m.refiltered();
  }

  // "Tag all": a tag added or removed on every selected game, once or twice.
  void tagAllDialog(Object* dialog) {
    if (tagAllApplies-- <= 0) {
      mui::user::press(mui::findItem(dialog, mui::ItemKind::Button, "Finished"));
      return;
    }
    // Now and then the tag the list is filtered by comes off: the games go.
    const bool unfilter = !m.tag.empty() && pick(2) == 0;
    const std::string tag = unfilter ? (m.tag == "racing" ? "Racing" : m.tag)
                                     : pickOf(std::vector<std::string>{"Racing", "Puzzle", "Platform"});
    const bool add = !unfilter && pick(3) != 0;
    for (int id : m.selected) {
      ModelGame& g = m.games[static_cast<size_t>(id)];
      g.tags = withTag(g.tags, tag, add);
    }
    m.refiltered();
    mui::user::type(mui::findItem(dialog, mui::ItemKind::Field, "Tags"), tag.c_str(), false);
    mui::user::press(mui::findItem(dialog, mui::ItemKind::Button, add ? "Add" : "Remove"));
  }
};

// A list of games alike in every column, more or less: few names (two games
// share one), tags, play counts and last plays.
Model randomShelf(std::mt19937& random, std::string* listFile) {
  const std::vector<std::string> names = {"Apple", "Cherry", "Lemmings", "Emerald Mine", "Zool", "Apple"};
  const std::vector<std::string> tags = {",Floppy,", ",Floppy,Racing,", ",Puzzle,", ",Platform,Floppy,", ","};
  const std::vector<std::string> lastPlayed = {"$0", "$1B00000", "$1C00000"};
  Model m;
  *listFile = "5";
  for (int id = 0; id < 12; ++id) {
    ModelGame g{id, names[static_cast<size_t>(id) % names.size()],
                "Games:G" + std::to_string(id) + (id % 3 ? ".adf" : ".lha"), tags[random() % tags.size()]};
    m.games.push_back(g);
    *listFile += "\n" + g.name + "\n" + g.path + "\n" + g.tags + "\n-id " + std::to_string(id) + "\n" +
                 std::to_string(random() % 2 ? 3 : 0) + "\n" + lastPlayed[random() % lastPlayed.size()] + "\n";
  }
  return m;
}

TEST(SelectionModel, TheSelectedGamesAreTheUsersThroughEveryGesture) {
  for (unsigned seed = 1; seed <= 5; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    LudexSandbox box;
    std::mt19937 random(seed);
    std::string listFile;
    Model model = randomShelf(random, &listFile);
    box.writeList(listFile);
    box.writePrefs(false, "");
    for (const ModelGame& g : model.games) box.writeGame(g.path.substr(6));
    const LudexRunResult r = box.run(nullptr, [&] {
      // In the program's process, for its whole run.
      auto* display = new ModelDisplay(model, seed, 60);
      display->install();
    });
    EXPECT_EQ(r.output, "done after 60 gestures\n");
    EXPECT_EQ(r.exitCode, 0);
  }
}

}  // namespace
