// The item model before any build: start values, kept copies, range checks,
// chaining, ghosting through groups and the group's ownership of its children.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/arena.h"
#include "core/exception.h"
#include "core/strings/string.h"
#include "tests/gui/model_window.h"
#include "tests/support/expect_error.h"

namespace {

std::string text(const char* s) { return s ? "\"" + std::string(s) + "\"" : "NIL"; }

// A window with an open root group, ended with everything in it.
class ItemModel : public ::testing::Test {
 protected:
  void SetUp() override { root = window->beginGroupVertical(nullptr); }
  void TearDown() override { End(window); }
  modelWindow* window = modelWindow::make();
  cGuiGroupItem* root = nullptr;
};

class recordingNotify : public funcGuiNotify {
  LUDEX_CLASS(recordingNotify, funcGuiNotify)
 public:
  void call(cGuiItem* item) override { seen.push_back(item); }
  std::vector<cGuiItem*> seen;
};

// A native item that records the order in which items are ended.
std::vector<int> endOrder;
class endRecorder : public cGuiNativeItem {
  LUDEX_CLASS(endRecorder, cGuiNativeItem)
 public:
  static endRecorder* make(int id) {
    auto* r = new endRecorder;
    r->id = id;
    return r;
  }
  void end_class() override {
    endOrder.push_back(id);
    cGuiNativeItem::end_class();
    if (failToEnd) Throw("BUG", "failed to end");
  }
  int id = 0;
  bool failToEnd = false;
};

TEST_F(ItemModel, ConstructorsSetTheStartValues) {
  char caption[] = "Name";
  cGuiText* t = window->addText(caption);
  caption[0] = 'G';  // the label is a copy
  EXPECT_STREQ(t->infoLabel(), "Name");
  EXPECT_STREQ(t->getState(), "");
  EXPECT_FALSE(t->infoAlignRight() || t->infoAlignCenter() || t->infoFixedFont() || t->infoUseLeastSpace());
  EXPECT_EQ(t->getPopupHint(), nullptr);
  EXPECT_STREQ(window->addTextBox(nullptr)->infoLabel(), "");

  cGuiLabel* plain = window->addLabel("a");
  EXPECT_FALSE(plain->infoAlignLeft() || plain->infoAlignCenter() || plain->infoAlignRight() || plain->infoAltColour());
  cGuiLabel* centred = window->addLabel("b")->initAlignCenter();
  EXPECT_TRUE(centred->infoAlignCenter());
  EXPECT_FALSE(centred->infoAlignLeft() || centred->infoAlignRight());

  EXPECT_FALSE(window->addTick("t")->getState());
  EXPECT_EQ(window->addString("s")->getState(), nullptr);
  cGuiPathString* p = window->addPathString("p");
  EXPECT_EQ(p->getState(), nullptr);
  EXPECT_FALSE(p->infoOnlyShowFolders() || p->infoUseSaveMode() || p->infoShowSystemFiles());
  EXPECT_EQ(window->addButton("b")->infoPic(), nullptr);

  cGuiSlider* slider = window->addSlider("s", 5, 10);
  cGuiNumberString* number = window->addNumberString("n", 5, 10);
  EXPECT_EQ(slider->getState(), 5);
  EXPECT_EQ(number->getState(), 0);  // below its minimum until set
  EXPECT_EQ(number->infoMin(), 5);
  EXPECT_EQ(number->infoMax(), 10);
  EXPECT_EQ(number->infoUnit(), nullptr);

  const char* three[] = {"a", "b", "c", nullptr};
  cGuiCycleChoice* cycle = window->addCycleChoice("c", three);
  EXPECT_EQ(cycle->getState(), 0);
  EXPECT_EQ(cycle->infoMin(), 0);
  EXPECT_EQ(cycle->infoMax(), 2);
  EXPECT_EQ(cycle->infoChoices(), three);

  struct { const char* title; bool border; const char* shown; } groups[] = {
      {nullptr, false, nullptr}, {"", true, nullptr}, {"Filter", true, "Filter"}};
  for (const auto& g : groups) {
    cGuiGroupItem* group = window->beginGroupHorizontal(g.title);
    window->endGroup();
    EXPECT_EQ(group->infoHasBorder(), g.border) << text(g.title);
    EXPECT_EQ(group->infoTitle(), g.shown) << text(g.title);
  }
  cGuiGroupGrid* grid = window->beginGroupGrid(3, "Grid");
  EXPECT_EQ(grid->infoWidth(), 3);
  window->endGroup();
}

TEST_F(ItemModel, KeptTextsFollowTheirRuleForNilAndEmpty) {
  cGuiButton* b = window->addButton("b");
  cGuiNumberString* n = window->addNumberString("n", 0, 9);
  cGuiText* t = window->addText("t");
  cGuiString* s = window->addString("s");
  cGuiPathString* p = window->addPathString("p");
  struct Case {
    const char* what;
    std::function<const char*(const char*)> apply;  // sets the text, reads it back
  } cases[] = {
      {"hint", [&](const char* x) { return b->setPopupHint(x)->getPopupHint(); }},
      {"picture", [&](const char* x) { return b->initPic(x)->infoPic(); }},
      {"unit", [&](const char* x) { return n->initUnit(x)->infoUnit(); }},
      {"text", [&](const char* x) { return t->setState(x)->getState(); }},
      {"string", [&](const char* x) { return s->setState(x)->getState(); }},
      {"path", [&](const char* x) { return p->setState(x)->getState(); }},
  };
  // What each keeps for NIL, for "" and for a text.
  const std::vector<std::string> expected = {
      "hint: NIL \"\" \"Work:/a\"",   "picture: NIL NIL \"Work:/a\"", "unit: NIL NIL \"Work:/a\"",
      "text: \"\" \"\" \"Work:/a\"", "string: \"\" \"\" \"Work:/a\"", "path: NIL NIL \"Work:/a\""};
  std::vector<std::string> got;
  for (const Case& c : cases) {
    std::string line = std::string(c.what) + ":";
    for (const char* input : {(const char*)nullptr, "", "Work:/a"}) {
      const char* kept = c.apply(input);
      if (input && kept) {
        EXPECT_NE(input, kept) << c.what << " keeps a copy";
      }
      line += " " + text(kept);
    }
    got.push_back(line);
  }
  EXPECT_EQ(got, expected);
}

TEST_F(ItemModel, HandingAnItemItsOwnTextBackKeepsIt) {
  cGuiButton* b = window->addButton("b")->setPopupHint("hint")->initPic("Work:/p.png");
  cGuiNumberString* n = window->addNumberString("n", 0, 9)->initUnit("kB");
  cGuiText* t = window->addText("t")->setState("shown");
  cGuiTextBox* tb = window->addTextBox("tb")->setState("lines");
  cGuiString* s = window->addString("s")->setState("typed");
  cGuiStringBox* sb = window->addStringBox("sb")->setState("edited");
  cGuiPathString* p = window->addPathString("p")->setState("Work:/Games/");
  b->setPopupHint(b->getPopupHint())->initPic(b->infoPic());
  n->initUnit(n->infoUnit());
  t->setState(t->getState());
  tb->setState(tb->getState());
  s->setState(s->getState());
  sb->setState(sb->getState());
  p->setState(p->getState());
  EXPECT_STREQ(b->getPopupHint(), "hint");
  EXPECT_STREQ(b->infoPic(), "Work:/p.png");
  EXPECT_STREQ(n->infoUnit(), "kB");
  EXPECT_STREQ(t->getState(), "shown");
  EXPECT_STREQ(tb->getState(), "lines");
  EXPECT_STREQ(s->getState(), "typed");
  EXPECT_STREQ(sb->getState(), "edited");
  EXPECT_STREQ(p->getState(), "Work:/Games/");
}

TEST_F(ItemModel, SetStateAcceptsOnlyItsRangeAndKeepsTheStateOnRefusal) {
  const char* two[] = {"x", "y", nullptr};
  const char* none[] = {nullptr};
  struct Case {
    const char* what;
    cGuiNumberItem* item;
    std::vector<int32_t> accepted, refused;
    const char* message;
  } cases[] = {
      {"number string", window->addNumberString("n", -3, 3), {-3, 0, 3}, {-4, 4},
       "cGuiNumberString.setState(); number outside of min/max range"},
      {"slider", window->addSlider("s", 5, 10), {5, 10}, {4, 11},
       "cGuiSlider.setState(); number outside of min/max range"},
      {"min above max", window->addSlider("s", 10, 5), {}, {5, 7, 10},
       "cGuiSlider.setState(); number outside of min/max range"},
      {"cycle", window->addCycleChoice("c", two), {0, 1}, {-1, 2},
       "cGuiCycleChoice.setState(); choice outside of min/max range"},
      {"radio", window->addRadioChoice("r", two), {1, 0}, {2, -1},
       "cGuiRadioChoice.setState(); choice outside of min/max range"},
      {"empty choices", window->addCycleChoice("c", none), {}, {0, -1},
       "cGuiCycleChoice.setState(); choice outside of min/max range"},
      {"NIL choices", window->addRadioChoice("r", nullptr), {}, {0, 1},
       "cGuiRadioChoice.setState(); choice outside of min/max range"},
  };
  for (Case& c : cases) {
    SCOPED_TRACE(c.what);
    for (int32_t v : c.accepted) EXPECT_EQ(c.item->setState(v)->getState(), v);
    const int32_t before = c.item->getState();
    for (int32_t v : c.refused) {
      expectError("EMU", c.message, [&] { c.item->setState(v); });
      EXPECT_EQ(c.item->getState(), before);
    }
  }
  // A NIL array of choices is never read: it is an empty one.
  cGuiChoiceItem* nilChoices = window->addCycleChoice("c", nullptr);
  EXPECT_EQ(nilChoices->infoMax(), -1);
  ASSERT_NE(nilChoices->infoChoices(), nullptr);
  EXPECT_EQ(nilChoices->infoChoices()[0], nullptr);

  cGuiPathString* p = window->addPathString("p");
  for (const char* valid : {"Work:/Games/Fred", "Work:/Games/", "Games/Fred", "RAM:/", "Games/"}) {
    EXPECT_STREQ(p->setState(valid)->getState(), valid);
  }
  for (const char* invalid : {"Work:Games", "Work:Games/"}) {
    expectError("EMU", "cGuiPathString.setState(); invalid path supplied", [&] { p->setState(invalid); });
    EXPECT_STREQ(p->getState(), "Games/");
  }
}

TEST_F(ItemModel, PageGroupsShowOnlyPagesTheyHave) {
  cGuiGroupPage* empty = window->beginGroupPage("Pages");
  window->endGroup();
  EXPECT_EQ(empty->getState(), 0);
  EXPECT_EQ(empty->infoMaxPageNum(), -1);
  const char* refusal = "cGuiGroupPage.setState(); the page number is outside the valid range";
  expectError("EMU", refusal, [&] { empty->setState(0); });

  cGuiGroupPage* pages = window->beginGroupPage(nullptr);
  window->addLabel("one");
  window->addLabel("two");
  window->endGroup();
  EXPECT_EQ(pages->infoMaxPageNum(), 1);
  EXPECT_EQ(pages->setState(1)->getState(), 1);
  expectError("EMU", refusal, [&] { pages->setState(pages->infoSize()); });
  expectError("EMU", refusal, [&] { pages->setState(-1); });
  EXPECT_EQ(pages->getState(), 1);
}

TEST_F(ItemModel, SettersChainAsTheirLeafClassAndNotifyRunsWithTheItem) {
  recordingNotify notify;
  cGuiButton* b = window->addButton("X")->initUseLeastSpace()->setPopupHint("clear")->setGhosted(true)
                      ->setNotifyFunction(&notify)->setData(-7)->initPic("Work:/x.png");
  EXPECT_TRUE(b->infoUseLeastSpace());
  EXPECT_TRUE(b->getGhosted());
  EXPECT_EQ(b->getData(), -7);
  EXPECT_EQ(b->getNotifyFunction(), &notify);
  cGuiSlider* s = window->addSlider("s", 0, 9)->initUnit("%")->setState(4)->setGhosted(false);
  EXPECT_EQ(s->getState(), 4);
  cGuiGroupGrid* g = window->beginGroupGrid(2, nullptr)->initScrollable()->initEqualSizedItems()->setData(2);
  window->endGroup();
  EXPECT_TRUE(g->infoScrollable() && g->infoEqualSizedItems());

  b->notifyStateHasChanged();
  s->notifyStateHasChanged();  // no notification: nothing runs
  EXPECT_EQ(notify.seen, std::vector<cGuiItem*>{b});
}

TEST_F(ItemModel, GhostingAGroupReachesInputItemsAtAnyDepthOnly) {
  cGuiTick* top = window->addTick("top");
  window->addLabel("label");
  cGuiText* t = window->addText("text");
  window->beginGroupHorizontal("outer");
  window->addBar(nullptr);
  window->beginGroupPage(nullptr);
  cGuiString* deep = window->addString("deep");
  cGuiList* list = window->beginList(2, "List");
  window->endList();
  window->endGroup();
  window->endGroup();
  const char* none[] = {nullptr};
  cGuiRadioChoice* last = window->addRadioChoice("r", none);

  std::vector<cGuiInputItem*> inputs = {top, deep, list, last};
  EXPECT_EQ(root->setGhosted(true), root);
  for (cGuiInputItem* i : inputs) {
    EXPECT_TRUE(i->getGhosted()) << i->InfoClassType();
  }
  root->setGhosted(false);
  for (cGuiInputItem* i : inputs) {
    EXPECT_FALSE(i->getGhosted()) << i->InfoClassType();
  }
  EXPECT_FALSE(t->IsOfClassType("cGuiInputItem"));
}

TEST_F(ItemModel, AGroupTakesAnItemOnceAndEndsItsChildrenInOrder) {
  endOrder.clear();
  cGuiGroupItem* group = window->beginGroupVertical("g");
  cGuiGroupItem* inner = window->beginGroupHorizontal(nullptr);
  window->endGroup();
  window->endGroup();
  endRecorder* first = endRecorder::make(1);
  first->failToEnd = true;  // the rest are ended all the same
  endRecorder* second = endRecorder::make(2);
  group->add(first);
  group->add(second);

  expectError("EMU", "cGuiGroupItem.add(); item=NIL", [&] { group->add(nullptr); });
  expectError("EMU", "cGuiGroupItem.add(); item is already in a group", [&] { group->add(first); });
  expectError("EMU", "cGuiGroupItem.add(); item is already in a group", [&] { inner->add(second); });
  expectError("EMU", "cGuiGroupItem.add(); a group cannot contain itself", [&] { root->add(root); });
  expectError("EMU", "cGuiGroupItem.add(); a group cannot contain itself", [&] { inner->add(root); });

  // The refusals left the sibling chain as it was.
  std::vector<cGuiItem*> children;
  for (cGuiItem* c = group->infoFirstItem(); c; c = c->infoNextInGroup()) children.push_back(c);
  EXPECT_EQ(children, (std::vector<cGuiItem*>{inner, first, second}));
  EXPECT_EQ(group->infoSize(), 3);
  EXPECT_EQ(group->infoLastItem(), second);
  EXPECT_EQ(second->internalParent(), group);

  const size_t before = Arena::liveCount();
  End(window);  // the failure is dropped: ending a window always completes
  EXPECT_EQ(endOrder, (std::vector<int>{1, 2}));
  EXPECT_LT(Arena::liveCount(), before);
}

}  // namespace
