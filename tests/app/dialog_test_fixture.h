// The application's dialogs run in-process: the application object and the
// toolkit are made for each test, a game list and its tag space are filled
// in memory, and a UI script plays the user while the dialog waits for
// input. The preferences and variables go to a sandbox.
#pragma once
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "app/games/game.h"
#include "app/games/game_list_file.h"
#include "app/games/line_files.h"
#include "app/games/tags.h"
#include "app/items/ludex_amiga.h"
#include "app/launching/launcher.h"
#include "app/ludex_module.h"
#include "app/main_window/games_list_display.h"
#include "core/app_object.h"
#include "core/arena.h"
#include "core/box.h"
#include "core/lists/mega_cursor_types.h"
#include "core/lists/mega_list_types.h"
#include "core/strings/string.h"
#include "core/strings/string_space.h"
#include "gui/gui_window.h"
#include "gui/mui/client/gui_app_client.h"
#include "gui/mui/client/gui_module.h"
#include "gui/mui/client/gui_window_host.h"
#include "os/mui/driver/ui_script.h"
#include "os/mui/driver/ui_script_runner.h"
#include "os/mui/mui_testing.h"
#include "tests/support/dos_sandbox.h"

class DialogTest : public testing::Test {
 protected:
  void SetUp() override {
    ostest::resetMui();
    ostest::setMuiStrict(true);
    // The file library keeps one record from its first write for the rest of
    // the process: made here, it does not count as the dialog's.
    char* line = StrClone("");
    writeLines("T:/first-write", line);
    DisposeString(line);
    liveBefore = Arena::liveCount();
    new_capp();
    new_cgui();
    new_ludex();
    new_ludex_amiga();
    CreateApp("Ludex");
    appHost->build();
    list = new cMegaList_class;
    list->new_cMegaList_class(true, nullptr, true);
    cursor = list->infoStart_cMegaList_class()->clone_cMegaCursor_class(REMOVED_GO_NEXT, FOLLOW_NEVER);
    tagSpace = makeTagSpace();
    launcherSpace = new cStringSpace;
    launcherSpace->new_cStringSpace(true, CASE_INSENSITIVE);
    prefAutoExit = prefsShowOutput = false;
  }
  void TearDown() override {
    mui::stopUiScript();
    DestroyGuiWindow(main);
    End(cursor);
    End(list);
    End(tagSpace);
    End(launcherSpace);
    end_ludex_amiga();
    end_ludex();
    end_cgui();
    end_capp();
    EXPECT_EQ(ostest::liveMuiObjects(), 0);
    EXPECT_TRUE(ostest::muiFaults().empty()) << ostest::muiFaults().front();
    EXPECT_EQ(Arena::liveCount(), liveBefore);
    ostest::restoreMuiClasses();
    ostest::setMuiStrict(false);
  }

  game* addGame(const char* name, const char* path, const char* tags, const char* params = nullptr) {
    auto* g = new game;
    g->new_game(StrClone(name), StrClone(path), StrClone(tags), params ? StrClone(params) : nullptr, 0, 0);
    addTagsToSpace(g->tags, tagSpace);
    return addGameToList(list, g);
  }

  // The script's lines become the user's actions from the next wait on.
  static void play(const std::string& script) { mui::startUiScript(mui::parseUiScript(script, "dialog"), "dialog"); }
  // Every line of the script was performed.
  static void expectScriptUsed() { EXPECT_FALSE(mui::queueNextUiScriptLine()) << "lines left over"; }

  // A window standing for the main one, open, with the games list filled
  // from the game list and the rows of the given games selected.
  cGuiList* openGamesList(std::initializer_list<const game*> selected) {
    main = DestroyGuiWindow(main);
    main = CreateGuiWindow("Ludex");
    main->beginGroupVertical(nullptr);
    cGuiList* games = main->beginList(4, "Games");
    games->initSelectableEntries(true, true);
    games->initColumnTitles("Name\tTags\tPlay count\tLast played");
    games->initColumnSortType("IINI");
    games->setSortByUser(0, false);
    addGamesListToGUI(games);
    main->endList();
    main->endGroup();
    main->build(false);
    for (bool more = games->cursor_gotoStart(); more; more = games->cursor_gotoNext(1) != 0) {
      auto* shown = dynamic_cast<boxPTR*>(games->cursor_getDataBox());
      for (const game* g : selected)
        if (shown && shown->pointer() == g) games->cursor_setState(true);
    }
    return games;
  }

  DosSandbox box;
  cGuiWindow* main = nullptr;
  size_t liveBefore = 0;
};
