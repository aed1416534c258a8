// The "Edit game" and "Tag all selected games" dialogs and the add
// requester, driven by UI scripts as a user would.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "app/dialogs/add_request.h"
#include "app/dialogs/edit_game_dialog.h"
#include "app/dialogs/tag_all_dialog.h"
#include "app/dialogs/tag_picker.h"
#include "app/main_window/tag_filter_list.h"
#include "core/exception.h"
#include "gui/mui/gui_shared.h"
#include "os/mui/driver/item_finder.h"
#include "os/mui/driver/user_driver.h"
#include "os/intuition/requester_answers.h"
#include "tests/app/dialog_test_fixture.h"
#include "tests/support/work_growth.h"

namespace {

// What requestEditGame gave back; nullopt for NIL.
struct Edit {
  std::optional<std::string> name, tags, params;
  bool cancelled = false;
};

std::optional<std::string> take(char* s) {
  if (!s) return std::nullopt;
  std::string text = s;
  DisposeString(s);
  return text;
}

class GameDialogs : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    // The tag space holds "Racing" as the other game writes it.
    addGame("Racer", "Sandbox:/Racer.adf", ",Racing,Platform,");
  }
  Edit edit(const char* name, const char* tags, const char* params, const std::string& script) {
    play(script);
    Edit e;
    char* newTags = nullptr;
    char* newParams = nullptr;
    e.name = take(requestEditGame(name, tags, params, &newTags, &newParams, &e.cancelled));
    e.tags = take(newTags);
    e.params = take(newParams);
    expectScriptUsed();
    return e;
  }
};

using std::nullopt;

TEST_F(GameDialogs, OkReturnsOnlyWhatTheUserChanged) {
  const std::string longText(300, 'p');
  const std::string longTags = "Racing," + std::string(290, 't');
  // The name a file "a1a1...a1.adf" of 244 bytes is given when added.
  std::string longName = "a";
  for (int i = 0; i < 239; ++i) longName += " 1 a";
  const std::string quotedLongName = "\"" + longName + "\"";
  struct Case {
    const char* what;
    const char* name;
    const char* tags;
    const char* params;
    std::string script;
    std::optional<std::string> newName, newTags, newParams;
  } cases[] = {
      {"nothing touched", "Frog", "racing,platform", "-fast", "press OK\n", nullopt, nullopt, nullopt},
      {"the same tags typed in another order and case", "Frog", "racing,platform", nullptr,
       "type Tags \"PLATFORM racing\" enter\npress OK\n", nullopt, nullopt, nullopt},
      {"the same name acknowledged", "Frog", "", nullptr, "type Name Frog enter\npress OK\n", nullopt, nullopt,
       nullopt},
      {"long params and tags left alone are not cut", "Frog", longTags.c_str(), longText.c_str(), "press OK\n",
       nullopt, nullopt, nullopt},
      {"a new name taken when the field is left for OK", "Frog", "Racing", nullptr, "type Name \"Frog 2\"\npress OK\n",
       "Frog 2", nullopt, nullopt},
      {"a typed unknown tag joins the list and comes back in list order", "Frog", "Racing", nullptr,
       "type Tags \"shooter, racing\"\npress OK\n", nullopt, "Racing,shooter", nullopt},
      {"a removed tag", "Frog", "Racing,Platform", nullptr, "type Tags Platform enter\npress OK\n", nullopt,
       "Platform", nullopt},
      {"an empty params field touched without params", "Frog", "", nullptr,
       "type \"Launcher parameters\" \"\" enter\npress OK\n", nullopt, nullopt, ""},
      {"params emptied", "Frog", "", "-fast", "type \"Launcher parameters\" \"\" enter\npress OK\n", nullopt, nullopt,
       ""},
      {"params changed", "Frog", "", "-fast", "type \"Launcher parameters\" \"-slow\"\npress OK\n", nullopt, nullopt,
       "-slow"},
      {"a long name left alone", longName.c_str(), "", nullptr, "press OK\n", nullopt, nullopt, nullopt},
      {"a long name acknowledged as it is", longName.c_str(), "", nullptr,
       "type Name " + quotedLongName + " enter\npress OK\n", nullopt, nullopt, nullopt},
      {"a long name left for the tags", longName.c_str(), "", nullptr, "type Tags Racing\npress OK\n", nullopt,
       "Racing", nullopt},
      {"a long name shortened", longName.c_str(), "", nullptr, "type Name \"a 1\"\npress OK\n", "a 1", nullopt,
       nullopt},
  };
  for (const Case& c : cases) {
    const Edit e = edit(c.name, c.tags, c.params, c.script);
    EXPECT_EQ(e.name, c.newName) << c.what;
    EXPECT_EQ(e.tags, c.newTags) << c.what;
    EXPECT_EQ(e.params, c.newParams) << c.what;
    EXPECT_FALSE(e.cancelled) << c.what;
  }
}

// A game of many tags: the dialog's work grows with their number, not with
// its square, whether the tags are left alone or a typed tag replaces them.
TEST_F(GameDialogs, WorkGrowsLinearlyWithTheTagCount) {
  for (const char* script : {"press OK\n", "type Tags tag1 enter\npress OK\n"}) {
    const WorkAtSizes work = workAtSizes(2000, [&](size_t n) {
      std::string tags;
      for (size_t i = 0; i < n; ++i) tags += (i ? ",tag" : "tag") + std::to_string(i);
      addTagsToSpace(("," + tags + ",").c_str(), tagSpace);
      const Edit e = edit("Frog", tags.c_str(), nullptr, script);
      EXPECT_EQ(e.tags, script[0] == 'p' ? nullopt : std::optional<std::string>("tag1")) << n;
    });
    EXPECT_TRUE(growsLinearly(work)) << script;
  }
}

TEST_F(GameDialogs, SkipCancelAndTheCloseGadgetDropEveryChange) {
  const std::string changes = "type Name Toad enter\ntype Tags Shooter enter\ntype \"Launcher parameters\" x enter\n";
  struct Case {
    const char* end;
    bool cancelled;
  } cases[] = {{"press Skip\n", false}, {"press Cancel\n", true}, {"close\n", true}};
  for (const Case& c : cases) {
    const Edit e = edit("Frog", "Racing", "-fast", changes + c.end);
    EXPECT_EQ(e.name, nullopt) << c.end;
    EXPECT_EQ(e.tags, nullopt) << c.end;
    EXPECT_EQ(e.params, nullopt) << c.end;
    EXPECT_EQ(e.cancelled, c.cancelled) << c.end;
  }
}

TEST_F(GameDialogs, TheFieldsStartWithTheGameAndTheListSelectsItsTags) {
  // The game's tag that no game had yet is added to the list and selected:
  // choosing it again in the field gives the same set, so no change.
  const Edit e = edit("Frog", "Racing,Bonus", "-fast",
                      "window EDIT\n"
                      "expect-text Name Frog\n"
                      "expect-text Tags \"Racing,Bonus\"\n"
                      "expect-text \"Launcher parameters\" \"-fast\"\n"
                      "type Tags bonus enter\n"
                      "expect-text Tags Bonus\n"
                      "type Tags racing,BONUS enter\n"
                      "expect-text Tags \"Bonus,Racing\"\n"
                      "press OK\n");
  EXPECT_EQ(e.tags, nullopt);
}

// More tags than the field's 255 characters hold: the list shows them all,
// and a click in the list changes only the tag clicked, although the field
// (which the click rewrites) shows a shortened copy.
TEST_F(GameDialogs, TagsLongerThanTheFieldSurviveAClickInTheList) {
  std::string tags, withoutThird;
  for (int i = 0; i < 20; ++i) {
    const std::string tag = "Tag" + std::to_string(10 + i) + "-abcdefghijk";
    tags += (i ? "," : "") + tag;
    if (i != 3) withoutThird += (withoutThird.empty() ? "" : ",") + tag;
  }
  ASSERT_GT(withoutThird.size(), 255u);
  cGuiWindow* w = CreateGuiWindow("Tags");
  w->beginGroupVertical(nullptr);
  TagPicker picker = TagPicker::describe(w);
  w->endGroup();
  w->build(false);
  const int32_t known = picker.list->infoSize();
  picker.showTags(tags.c_str());
  guiAppClient->purgeEventsOf(w);
  const auto selected = [&] {
    char* text = tagSelectionToUserTags(picker.list);
    std::string chosen = text;
    DisposeString(text);
    return chosen;
  };
  EXPECT_EQ(selected(), tags);
  EXPECT_EQ(picker.list->infoSize(), known + 20);  // no piece of a tag
  EXPECT_EQ(std::string(picker.field->getState()), tags.substr(0, 255));

  Object* list = sharedOf(picker.list)->object;
  mui::user::clickRow(list, mui::findRow(list, "Tag13-abcdefghijk"));
  mui::user::runInput(guiAppClient->infoApplication());
  // Leaving the field for the click, unchanged, undoes nothing.
  while (cGuiItem* item = CheckForChangedGuiItem(false)) picker.handle(item);
  picker.selectTags();
  EXPECT_TRUE(picker.touched());
  EXPECT_EQ(selected(), withoutThird);
  EXPECT_EQ(picker.list->infoSize(), known + 20);
  DestroyGuiWindow(w);
}

// Tags of the two selected games (in list order) after the script.
class TagAll : public GameDialogs {
 protected:
  std::string run(const std::string& script) {
    cGuiList* games = openGamesList({first, second});
    play("window TAGA\nexpect-text Selected \"2 games\"\n" + script + "press Finished\n");
    try {
      requestTagAll(games);
    } catch (const Exception& e) {
      ADD_FAILURE() << IdText(e.id()) << ": " << (e.message() ? e.message() : "");
    }
    expectScriptUsed();
    return std::string(first->tags) + " " + second->tags;
  }
  void SetUp() override {
    GameDialogs::SetUp();
    first = addGame("A", "Sandbox:/A.adf", ",racing,");
    second = addGame("B", "Sandbox:/B.adf", ",Platform,");
  }
  game* first = nullptr;
  game* second = nullptr;
};

TEST_F(TagAll, AddAndRemoveWholeTagsRespectingCase) {
  // "racing" is another tag than the listed "Racing": it stays beside it.
  EXPECT_EQ(run("type Tags Racing\npress Add\n"), ",racing,Racing, ,Platform,Racing,");
  EXPECT_EQ(run("type Tags racing,platform\npress Remove\n"), ",racing, ,");
  EXPECT_EQ(run("type Tags Shooter enter\npress Add\npress Add\n"), ",racing,Shooter, ,Shooter,");
  // After each change no tag is selected: a second press changes nothing.
  EXPECT_EQ(run("type Tags Shooter\npress Remove\nexpect-text Tags \"\"\ntype Tags Plat\npress Remove\n"),
            ",racing, ,");
}

TEST_F(TagAll, AGameWithAnEmptyTagsLineGetsTheTagPadded) {
  DisposeString(first->tags);
  first->tags = StrClone("");
  EXPECT_EQ(run("type Tags Racing\npress Add\n"), ",Racing, ,Platform,Racing,");
  DisposeString(first->tags);
  first->tags = StrClone("");
  EXPECT_EQ(run("type Tags Platform\npress Remove\n"), " ,Racing,");
}

TEST_F(TagAll, RemoveTakesOutEveryCopyOfATagAStoredLineRepeats) {
  DisposeString(first->tags);
  first->tags = StrClone(",Racing,Puzzle,Racing,Racing,");
  EXPECT_EQ(run("type Tags Racing\npress Remove\n"), ",Puzzle, ,Platform,");
}

TEST_F(GameDialogs, AddAsksForAFileOrAFolder) {
  box.writeFile("Games/Frog.adf");
  struct Case {
    const char* drawer;
    const char* file;
    const char* chosen;  // NIL: cancelled
  } cases[] = {
      {"Sandbox:Games", "Frog.adf", "Sandbox:/Games/Frog.adf"},
      {"Sandbox:Games", nullptr, "Sandbox:/Games/"},
      {nullptr, nullptr, nullptr},
  };
  for (const Case& c : cases) {
    if (c.drawer) ostest::answerChoose(c.drawer, c.file);
    else ostest::answerCancel();
    char* chosen = reinterpret_cast<char*>(1);
    const char* argument = "arg";
    EXPECT_EQ(requestAdd(argument, &chosen), argument);
    EXPECT_EQ(take(chosen), c.chosen ? std::optional<std::string>(c.chosen) : nullopt) << (c.file ? c.file : "");
  }
}

}  // namespace
