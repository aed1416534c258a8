// The object trees that windows of groups build to: fillers, two-column
// blocks, stretch exceptions, scrolling and pages.
#include <functional>
#include <string>

#include "core/exception.h"
#include "gui/mui/gui_group_build.h"
#include "gui/mui/gui_shared.h"
#include "gui/mui/hosts/gui_group_page_host.h"
#include "tests/gui/mui/host_window.h"
#include "tests/support/expect_error.h"

namespace {

struct LayoutCase {
  const char* name;
  std::function<void(cGuiWindowHost*)> describe;
  const char* dump;
};

// A label that keeps a fixed width and makes one object.
void word(cGuiWindowHost* w, const char* text) { w->addLabel(text)->initUseLeastSpace(); }
// A labelled item: its label and its object join a two-column block.
void field(cGuiWindowHost* w, const char* label) { w->addText(label); }

class GroupBuild : public HostWindowTest {};

TEST_F(GroupBuild, TreesOfDescribedWindows) {
  const LayoutCase cases[] = {
      {"empty root", [](cGuiWindowHost* w) { w->beginGroupVertical(nullptr); }, "Group(V)[Rectangle(filler,fixh=35)]"},
      {"empty horizontal root", [](cGuiWindowHost* w) { w->beginGroupHorizontal(""); }, "Group(H,frame=group)[Rectangle(filler,fixh=35)]"},
      {"empty one-column grid", [](cGuiWindowHost* w) { w->beginGroupGrid(1, nullptr); }, "Group(cols=1)[Rectangle(filler,fixh=35)]"},
      {"empty grid of 3", [](cGuiWindowHost* w) { w->beginGroupGrid(3, nullptr); }, "Group(cols=3)[Rectangle(filler) Rectangle(filler) Rectangle(filler)]"},
      {"grid of 3 with 4",
       [](cGuiWindowHost* w) {
         w->beginGroupGrid(3, nullptr);
         for (const char* t : {"a", "b", "c", "d"}) word(w, t);
       },
       "Group(cols=3)[Text \"\\eca\" Text \"\\ecb\" Text \"\\ecc\" Text \"\\ecd\" Rectangle(filler) Rectangle(filler)]"},
      {"grid of 3 with 3",
       [](cGuiWindowHost* w) {
         w->beginGroupGrid(3, nullptr);
         for (const char* t : {"a", "b", "c"}) word(w, t);
       },
       "Group(cols=3)[Text \"\\eca\" Text \"\\ecb\" Text \"\\ecc\"]"},
      {"three fields in a column",
       [](cGuiWindowHost* w) {
         w->beginGroupVertical(nullptr);
         for (const char* t : {"A", "B", "C"}) field(w, t);
       },
       "Group(V)[Group(cols=2)[Label \"A\" Text \"\" Label \"B\" Text \"\" Label \"C\" Text \"\"]]"},
      {"a break splits the block",
       [](cGuiWindowHost* w) {
         w->beginGroupVertical(nullptr);
         field(w, "A");
         field(w, "B");
         w->addBreak();
         field(w, "C");
       },
       "Group(V)[Group(cols=2)[Label \"A\" Text \"\" Label \"B\" Text \"\"] Group(cols=2)[Label \"C\" Text \"\"]]"},
      {"three fields in a row",
       [](cGuiWindowHost* w) {
         w->beginGroupHorizontal(nullptr);
         for (const char* t : {"A", "B", "C"}) field(w, t);
       },
       "Group(H)[Label \"A\" Text \"\" Label \"B\" Text \"\" Label \"C\" Text \"\"]"},
      {"an unlabelled item ends the block and is built once",
       [](cGuiWindowHost* w) {
         w->beginGroupVertical(nullptr);
         field(w, "A");
         w->addLabel("end");
         field(w, "B");
       },
       "Group(V)[Group(cols=2)[Label \"A\" Text \"\"] Group(H)[HSpace Text \"\\ecend\" HSpace] Group(cols=2)[Label \"B\" Text \"\"]]"},
      {"a fixed row in a stretching column ends in a filler",
       [](cGuiWindowHost* w) {
         w->beginGroupVertical(nullptr);
         w->beginGroupHorizontal(nullptr);
         word(w, "a");
         word(w, "b");
         w->endGroup();
         field(w, "A");
       },
       "Group(V)[Group(H)[Text \"\\eca\" Text \"\\ecb\" Rectangle(filler)] Group(cols=2)[Label \"A\" Text \"\"]]"},
      {"a fixed row as root has no filler",
       [](cGuiWindowHost* w) {
         w->beginGroupHorizontal(nullptr);
         word(w, "a");
         word(w, "b");
       },
       "Group(H)[Text \"\\eca\" Text \"\\ecb\"]"},
      {"a fixed row beside a fixed-width item has no filler",
       [](cGuiWindowHost* w) {
         w->beginGroupVertical(nullptr);
         w->beginGroupHorizontal(nullptr);
         word(w, "a");
         w->endGroup();
         word(w, "b");
         field(w, "A");
       },
       "Group(V)[Group(H)[Text \"\\eca\"] Text \"\\ecb\" Group(cols=2)[Label \"A\" Text \"\"]]"},
      {"a fixed column in a stretching row ends in a filler",
       [](cGuiWindowHost* w) {
         w->beginGroupHorizontal(nullptr);
         w->beginGroupVertical(nullptr);
         word(w, "a");
         w->endGroup();
         w->addTextBox("T");
       },
       "Group(H)[Group(V)[Text \"\\eca\" Rectangle(filler)] Group(V)[Label \"T\" VSpace] Floattext \"\"]"},
      {"scrollable root",
       [](cGuiWindowHost* w) {
         w->beginGroupVertical(nullptr)->initScrollable();
         word(w, "a");
       },
       "Scrollgroup(winborder)[Virtgroup(V)[Text \"\\eca\"]]"},
      {"scrollable inner group with border",
       [](cGuiWindowHost* w) {
         w->beginGroupVertical(nullptr);
         w->beginGroupVertical("Inner")->initScrollable();
         word(w, "a");
       },
       "Group(V)[Scrollgroup[Virtgroup(V,frame=virtual,title=\"Inner\")[Text \"\\eca\" Rectangle(filler)]]]"},
      {"titled group of equal items",
       [](cGuiWindowHost* w) {
         w->beginGroupHorizontal("Title")->initEqualSizedItems();
         word(w, "a");
       },
       "Group(H,same,frame=group,title=\"Title\")[Text \"\\eca\"]"},
      {"bars",
       [](cGuiWindowHost* w) {
         w->beginGroupVertical(nullptr);
         w->addBar("Across");
         w->beginGroupHorizontal(nullptr);
         w->addBar(nullptr);
       },
       "Group(V)[Rectangle(hbar,fixh=8) \"Across\" Group(H)[Rectangle(vbar,fixw=8) Rectangle(filler)]]"},
  };
  for (const LayoutCase& c : cases) EXPECT_EQ(treeOf(c.describe), c.dump) << c.name;
}

TEST_F(GroupBuild, PagesBeforeAndAfterTheBuild) {
  window->beginGroupVertical(nullptr);
  auto* pages = static_cast<cGuiGroupPageHost*>(window->beginGroupPage(nullptr));
  pages->initScrollable();
  window->beginGroupVertical(nullptr);
  word(window, "first");
  window->endGroup();
  cGuiLabel* plain = window->addLabel("second");
  window->beginGroupHorizontal(nullptr);
  word(window, "third");
  window->endGroup();
  window->endGroup();
  cGuiLabel* outside = window->addLabel("outside");
  window->endGroup();

  const char* notBuilt = "the window has not been built";
  expectError("EMU", (std::string("cGuiGroupPage.getStateItem(); ") + notBuilt).c_str(),
              [&] { pages->getStateItem(); });
  expectError("EMU", (std::string("cGuiGroupPage.infoPageItemOfPageNum(); ") + notBuilt).c_str(),
              [&] { pages->infoPageItemOfPageNum(0); });
  expectError("EMU", (std::string("cGuiGroupPage.infoPageNumOfPageItem(); ") + notBuilt).c_str(),
              [&] { pages->infoPageNumOfPageItem(plain); });
  // Before the build the page is only stored; the build shows it.
  pages->setState(2);
  EXPECT_EQ(buildAndDump(),
            "Group(V)[Scrollgroup[Virtgroup(page=2,frame=virtual)[Group(V)[Text \"\\ecfirst\"] "
            "Group(H)[Text \"\\ecsecond\"] Group(H)[Text \"\\ecthird\"]]] "
            "Group(H)[HSpace Text \"\\ecoutside\" HSpace]]");

  // A plain item stands for the group that wraps it.
  EXPECT_EQ(pages->infoPageNumOfPageItem(plain), 1);
  EXPECT_EQ(pages->infoPageItemOfPageNum(1), plain->internalParent());
  pages->setStateItem(plain);
  EXPECT_EQ(pages->getStateItem(), plain->internalParent());
  EXPECT_EQ(pages->getState(), 1);
  EXPECT_NE(ostest::dumpMuiTree(window->infoRootObject()).find("Virtgroup(page=1,"), std::string::npos);
  expectError("EMU", "cGuiGroupPage.infoPageItemOfPageNum(); the page number is outside the valid range",
              [&] { pages->infoPageItemOfPageNum(3); });
  expectError("EMU", "cGuiGroupPage.infoPageNumOfPageItem(); the given item is not a page of the group",
              [&] { pages->infoPageNumOfPageItem(outside); });
}

TEST_F(GroupBuild, PageGroupWithoutPagesBuilds) {
  auto* pages = static_cast<cGuiGroupPageHost*>(window->beginGroupPage(nullptr));
  window->endGroup();
  EXPECT_EQ(buildAndDump(), "Group(page=0)[Rectangle(filler,fixh=35)]");
  EXPECT_EQ(pages->getStateItem(), nullptr);
}

TEST_F(GroupBuild, FailedBuildLeavesNoItemHoldingAnObject) {
  window->beginGroupVertical(nullptr);
  cGuiText* text = window->addText("A");
  window->addTextBox("B");
  auto* pages = static_cast<cGuiGroupPageHost*>(window->beginGroupPage(nullptr));
  word(window, "page");
  window->endGroup();
  window->endGroup();
  ostest::markMuiClassMissing("Floattext.mui");
  expectError("ERR", "cGuiWindow.build(); failed to create GUI", [&] { window->build(true); });
  EXPECT_EQ(ostest::liveMuiObjects(), 0);
  const int32_t nilCalls = ostest::muiNilCalls();
  // The item works on its own copy again, touching no object.
  text->setState("after")->setPopupHint("hint");
  EXPECT_STREQ(text->getState(), "after");
  pages->setState(0);
  EXPECT_EQ(ostest::muiNilCalls(), nilCalls);
  expectError("EMU", "cGuiGroupPage.getStateItem(); the window has not been built", [&] { pages->getStateItem(); });
  EXPECT_EQ(window->infoRootObject(), nullptr);
}

TEST_F(GroupBuild, ErrorInsideTheBuildDisposesWhatWasMade) {
  window->beginGroupGrid(1, nullptr);
  window->addText("A");
  // A grid made without columns, which the build refuses after the text was made.
  cGuiGroupGrid* broken = window->makeGroupGrid();
  broken->new_cGuiGroupItem(nullptr);
  window->beginGroup(broken);
  window->endGroup();
  window->endGroup();
  expectError("BUG", "buildGroup(); a grid needs at least one column", [&] { window->build(true); });
  EXPECT_EQ(ostest::liveMuiObjects(), 0);
  EXPECT_EQ(window->infoRootObject(), nullptr);
}

TEST_F(GroupBuild, SizeAnswersOfEmptyGroups) {
  struct {
    const char* kind;
    cGuiGroupItem* group;
    bool fixedWidth;
    bool fixedHeight;
  } cases[] = {
      {"vertical", window->makeGroupVertical(), false, true},
      {"grid", window->makeGroupGrid(), false, true},
      {"horizontal", window->makeGroupHorizontal(), false, false},
      {"page", window->makeGroupPage(), false, false},
  };
  for (auto& c : cases) {
    if (c.group->IsOfClassType("cGuiGroupGrid")) static_cast<cGuiGroupGrid*>(c.group)->new_cGuiGroupGrid(nullptr, 2);
    else c.group->new_cGuiGroupItem(nullptr);
    EXPECT_EQ(infoGroupHasFixedWidth(c.group), c.fixedWidth) << c.kind;
    EXPECT_EQ(infoGroupHasFixedHeight(c.group), c.fixedHeight) << c.kind;
    End(c.group);
  }
}

}  // namespace
