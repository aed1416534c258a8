// The window description: options, the builder's tree, its refusals in their
// order (each leaving the description as it was and nothing unowned), lists
// and the event results the window holds.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "core/arena.h"
#include "core/box.h"
#include "core/exception.h"
#include "core/strings/string.h"
#include "gui/gui_base_module.h"
#include "tests/gui/model_window.h"
#include "tests/support/expect_error.h"

namespace {

// The tree as text: class (without the "cGui" prefix), then the title or
// label, children in brackets; "*" marks the current build group.
std::string dump(cGuiWindow* w, cGuiItem* item) {
  std::string s = item->InfoClassType();
  if (s.rfind("cGui", 0) == 0) s = s.substr(4);
  if (item == w->infoCurrentBuildGroup()) s += "*";
  const char* name = nullptr;
  if (item->IsOfClassType("cGuiGroupItem")) name = static_cast<cGuiGroupItem*>(item)->infoTitle();
  else if (item->IsOfClassType("cGuiBar")) name = static_cast<cGuiBar*>(item)->infoTitle();
  else if (item->IsOfClassType("cGuiList")) name = static_cast<cGuiList*>(item)->infoTitle();
  else if (item->IsOfClassType("cGuiLabelledItem")) name = static_cast<cGuiLabelledItem*>(item)->infoLabel();
  if (name) s += " " + std::string(name);
  if (item->IsOfClassType("cGuiGroupItem")) {
    s += "[";
    for (cGuiItem* c = static_cast<cGuiGroupItem*>(item)->infoFirstItem(); c; c = c->infoNextInGroup()) {
      if (c->internalParent() != item) s += "(wrong parent)";
      s += dump(w, c) + (c->infoNextInGroup() ? ", " : "");
    }
    s += "]";
  }
  return s;
}
std::string dump(cGuiWindow* w) { return w->infoRootGroup() ? dump(w, w->infoRootGroup()) : "(none)"; }

class WindowDescription : public ::testing::Test {
 protected:
  void TearDown() override { End(window); }

  // The action must be refused with message and leave the tree, the current
  // build group and the number of live allocations as they were.
  void expectRefused(const char* message, const std::function<void()>& action) {
    const std::string before = dump(window);
    const size_t live = Arena::liveCount();
    expectError("EMU", message, action);
    EXPECT_EQ(dump(window), before) << message;
    EXPECT_EQ(Arena::liveCount(), live) << message;
  }

  modelWindow* window = modelWindow::make();
};

TEST_F(WindowDescription, OptionsStartUnsetAndKeepWhatIsGiven) {
  EXPECT_FALSE(window->infoAllowDropFiles());
  EXPECT_EQ(window->infoSaveID(), 0u);
  EXPECT_EQ(window->infoRootGroup(), nullptr);
  EXPECT_EQ(window->infoCurrentBuildGroup(), nullptr);
  expectError("EMU", "cGuiWindow.getPosition(); no position has been specified yet", [&] { window->getPosition(); });
  expectError("EMU", "cGuiWindow.infoWidth(); no size has been specified yet", [&] { window->infoWidth(); });
  expectError("EMU", "cGuiWindow.infoHeight(); no size has been specified yet", [&] { window->infoHeight(); });
  expectError("EMU", "cGuiWindow.initSaveID(); \"id\" cannot be 0", [&] { window->initSaveID(0); });

  const uint32_t main = MakeId("MAIN");
  EXPECT_EQ(window->initAllowDropFiles()->initSaveID(main)->setPosition(-5, 30)->changeSize(640, GUI_NO_SIZE),
            window);
  EXPECT_TRUE(window->infoAllowDropFiles());
  EXPECT_EQ(window->infoSaveID(), 0x4d41494eu);
  int32_t top = 0;
  EXPECT_EQ(window->getPosition(&top), -5);
  EXPECT_EQ(top, 30);
  EXPECT_EQ(window->infoWidth(), 640);
  expectError("EMU", "cGuiWindow.infoHeight(); no size has been specified yet", [&] { window->infoHeight(); });
  window->changeSize(GUI_NO_SIZE, 480);
  EXPECT_EQ(window->infoHeight(), 480);
  expectError("EMU", "cGuiWindow.infoWidth(); no size has been specified yet", [&] { window->infoWidth(); });
}

TEST_F(WindowDescription, TheBuilderNestsGroupsAndListsAsDescribed) {
  window->beginGroupVertical(nullptr);
  window->beginGroupHorizontal("Filter");
  window->addButton("X")->initUseLeastSpace()->setPopupHint("Clear the filter");
  window->addString("Name");
  window->addBar(nullptr);
  window->endGroup();
  window->beginGroupHorizontal(nullptr);
  cGuiList* list = window->beginList(4, "Games");
  EXPECT_EQ(window->infoCurrentBuildGroup(), nullptr);
  EXPECT_EQ(dump(window), "GroupVertical[GroupHorizontal Filter[Button X, String Name, Bar], "
                          "GroupHorizontal[modelList Games]]");
  EXPECT_EQ(list->infoColumns(), 4);
  EXPECT_EQ(window->endList(), list->internalParent());
  window->beginGroupGrid(2, "")->setData(9);
  window->addLabel("a");
  window->addBreak();
  window->addTick(nullptr);
  window->endGroup();
  window->endGroup();
  window->addBar("title");  // a titled bar stands across a vertical group
  window->beginGroupPage(nullptr);
  window->addText("t");
  window->addTextBox("tb");
  window->addStringBox("sb");
  window->addPathString("p");
  window->addNumberString("n", 0, 1);
  window->addSlider("s", 0, 1);
  window->addCycleChoice("c", nullptr);
  window->addRadioChoice("r", nullptr);
  window->addNativeSimpleL(nullptr, 0);
  auto* native = new cGuiNativeItem;
  EXPECT_EQ(window->addNative(native), native);
  EXPECT_EQ(window->endGroup(), window->infoRootGroup());
  EXPECT_EQ(window->endGroup(), nullptr);
  EXPECT_EQ(dump(window),
            "GroupVertical[GroupHorizontal Filter[Button X, String Name, Bar], "
            "GroupHorizontal[modelList Games, GroupGrid[Label a, Break, Tick ]], Bar title, "
            "GroupPage[Text t, TextBox tb, StringBox sb, PathString p, NumberString n, Slider s, "
            "CycleChoice c, RadioChoice r, NativeSimple, NativeItem]]");
}

TEST_F(WindowDescription, RefusalsComeInTheirOrderAndChangeNothing) {
  expectRefused("cGuiWindow.addBreak(); must be done inside a group", [&] { window->addBreak(); });
  expectRefused("cGuiWindow.endGroup(); already closed all groups", [&] { window->endGroup(); });
  expectRefused("cGuiList.beginList(); must be done inside a group", [&] { window->beginList(0, nullptr); });
  expectRefused("cGuiWindow.addListEntry(); there is no list being defined",
                [&] { window->addListEntry("a", false, false, 0, nullptr); });
  expectRefused("cGuiWindow.endList(); there is no list being defined", [&] { window->endList(); });
  // A grid without columns is refused whether it would be the root or not.
  expectRefused("cGuiWindow.beginGroupGrid(); columns<1", [&] { window->beginGroupGrid(0, nullptr); });
  window->beginGroupVertical(nullptr);
  expectRefused("cGuiWindow.beginGroupGrid(); columns<1", [&] { window->beginGroupGrid(-1, nullptr); });

  window->beginGroupHorizontal(nullptr);
  window->addBar(nullptr);
  expectRefused("cGuiWindow.addBar(); a title does not make sense in a horizontal group (for a vertical bar)",
                [&] { window->addBar("x"); });
  expectRefused("cGuiList.beginList(); columns<1", [&] { window->beginList(0, nullptr); });
  window->beginList(1, nullptr);
  const char* choices[] = {"a", nullptr};
  struct { const char* message; std::function<void()> action; } duringList[] = {
      {"cGuiWindow.addButton(); must be done inside a group", [&] { window->addButton("b"); }},
      {"cGuiWindow.addRadioChoice(); must be done inside a group", [&] { window->addRadioChoice("r", choices); }},
      {"cGuiWindow.addNative(); must be done inside a group", [&] { window->addNative(nullptr); }},
      {"cGuiWindow.addNativeSimpleL(); must be done inside a group", [&] { window->addNativeSimpleL(nullptr, 0); }},
      {"cGuiWindow.endGroup(); must close the list first", [&] { window->endGroup(); }},
      {"cGuiWindow.beginGroup(); a window can only have one root group", [&] { window->beginGroupPage("p"); }},
      {"cGuiWindow.beginGroup(); a window can only have one root group", [&] { window->beginGroupGrid(0, "g"); }},
      {"cGuiList.beginList(); must be done inside a group", [&] { window->beginList(1, nullptr); }},
  };
  for (const auto& c : duringList) expectRefused(c.message, c.action);
  window->endList();
  window->endGroup();
  window->endGroup();

  // After the root was closed: only one root group.
  expectRefused("cGuiWindow.beginGroup(); a window can only have one root group",
                [&] { window->beginGroupVertical(nullptr); });
  auto* loose = new cGuiGroupVertical;
  loose->new_cGuiGroupItem(nullptr);
  expectError("EMU", "cGuiWindow.beginGroup(); a window can only have one root group",
              [&] { window->beginGroup(loose); });
  End(loose);
  expectRefused("cGuiWindow.addLabel(); must be done inside a group", [&] { window->addLabel("l"); });
}

// A window whose group and item constructors fail, as when memory runs out.
class failingGroup : public cGuiGroupVertical {
  LUDEX_CLASS(failingGroup, cGuiGroupVertical)
 public:
  cGuiGroupVertical* new_cGuiGroupItem(const char*) override { Throw("MEM"); }
};
class failingTick : public cGuiTick {
  LUDEX_CLASS(failingTick, cGuiTick)
 public:
  cGuiTick* new_cGuiTick(const char*) override { Throw("MEM"); }
};
class failingWindow : public modelWindow {
  LUDEX_CLASS(failingWindow, modelWindow)
 public:
  cGuiGroupVertical* makeGroupVertical() override { return new failingGroup; }
  cGuiTick* makeTick() override { return new failingTick; }
};

TEST_F(WindowDescription, AnItemWhoseConstructorFailsIsEndedNotLeft) {
  End(window);
  auto* failing = new failingWindow;
  failing->new_cGuiWindow("F");
  window = failing;
  const size_t live = Arena::liveCount();
  EXPECT_THROW(window->beginGroupVertical(nullptr), Exception);
  EXPECT_EQ(window->infoRootGroup(), nullptr);
  EXPECT_EQ(Arena::liveCount(), live);
  window->beginGroupHorizontal(nullptr);
  const std::string tree = dump(window);
  const size_t withRoot = Arena::liveCount();
  EXPECT_THROW(window->addTick("t"), Exception);
  EXPECT_THROW(window->beginGroupVertical(nullptr), Exception);
  EXPECT_EQ(dump(window), tree);
  EXPECT_EQ(Arena::liveCount(), withRoot);
}

TEST_F(WindowDescription, ListEntriesAreCopiesAndNilIsAnEmptyEntry) {
  window->beginGroupVertical(nullptr);
  auto* list = static_cast<modelList*>(window->beginList(2, "L"));
  char* label = StrClone("Fred\tAction");
  window->addListEntry(label, true, false, 42, nullptr);
  DisposeString(label);  // the caller's string stays the caller's
  window->addListEntry(nullptr, false, true, 0, BoxVALUE(5));
  ASSERT_EQ(list->entries.size(), 2u);
  EXPECT_EQ(list->entries[0].label, "Fred\tAction");
  EXPECT_TRUE(list->entries[0].altColour);
  EXPECT_EQ(list->entries[0].data, 42);
  EXPECT_EQ(list->entries[1].label, "");
  EXPECT_TRUE(list->entries[1].marked);
  EXPECT_NE(list->entries[1].dataBox, nullptr);
  EXPECT_EQ(window->endList(), window->infoRootGroup());
  window->addLabel("after the list");
  EXPECT_EQ(dump(window), "GroupVertical*[modelList L, Label after the list]");
}

TEST_F(WindowDescription, CloseRequestIsKeptOrClearedAndOpeningClearsIt) {
  EXPECT_FALSE(window->getCloseRequest(false));
  window->setCloseRequest(true);
  EXPECT_TRUE(window->getCloseRequest(true));
  EXPECT_TRUE(window->getCloseRequest(true));
  EXPECT_TRUE(window->getCloseRequest(false));
  EXPECT_FALSE(window->getCloseRequest(false));
  window->setCloseRequest(true);
  window->open();
  EXPECT_FALSE(window->getCloseRequest(true));

  window->beginGroupVertical(nullptr);
  cGuiButton* b = window->addButton("b");
  EXPECT_EQ(window->getLastChangedItem(), nullptr);
  EXPECT_EQ(window->setLastChangedItem(b)->getLastChangedItem(), b);
  window->setLastChangedItem(nullptr);
  EXPECT_EQ(window->getLastChangedItem(), nullptr);
}

TEST_F(WindowDescription, TheBaseModuleMakesAndEndsItsDefaultNotification) {
  end_cguibase();  // safe before its initialiser
  const size_t live = Arena::liveCount();
  new_cguibase();
  ASSERT_NE(defaultGuiNotify, nullptr);
  defaultGuiNotify->call(nullptr);
  end_cguibase();
  EXPECT_EQ(defaultGuiNotify, nullptr);
  EXPECT_EQ(Arena::liveCount(), live);
}

}  // namespace
