// The fixed list: its layout as MUI objects, its rows and title row, the
// options and their refusals, and the selection bookkeeping while the window
// is described, between the description and the build, and after the build
// with the user's ticks delivered as the event loop delivers them.
#include <string>
#include <vector>

#include "gui/lists/gui_fixed_list.h"
#include "gui/mui/gui_host_conventions.h"
#include "tests/gui/mui/action_recorder.h"
#include "tests/gui/mui/host_window.h"
#include "tests/support/expect_error.h"

namespace {

class FixedList : public HostWindowTest {
 protected:
  // Delivers the recorded notifications as the event loop does: the item
  // the redirects lead to takes note of its change.
  void deliver() {
    for (const ActionRecorder::Call& call : actions.take()) {
      cGuiItem* item = call.first;
      while (item->getRedirectEventTo()) item = item->getRedirectEventTo();
      if (item->IsOfClassType("cGuiContainerInputItem")) static_cast<cGuiContainerInputItem*>(item)->notifyStateHasChanged();
    }
  }
  // The row's tick as the user sees it.
  static Object* tickOf(cGuiFixedListEntry* row) {
    return sharedOf(static_cast<cGuiGroupItem*>(row)->infoFirstItem())->object;
  }
  // The rows' states as "10.." and the list's count and single selection.
  static std::string selection(cGuiFixedList* list) {
    std::string s;
    for (cGuiFixedListEntry* row = list->infoFirstItem(); row; row = row->infoNextInGroup())
      s += row->infoLabel() == std::string("Title") ? "" : row->getState() ? "1" : "0";
    s += " count=" + std::to_string(list->infoSelectionCount());
    bool multi = false;
    list->infoSelectableEntries(&multi);
    if (!multi) {
      cGuiFixedListEntry* single = list->infoSingleSelectionEntry();
      s += std::string(" single=") + (single ? single->infoLabel() : "-");
    }
    return s;
  }
  ActionRecorder actions;
};

TEST_F(FixedList, LayoutOfOneAndSeveralColumns) {
  const std::string dump = treeOf([](cGuiWindowHost* w) {
    w->beginGroupVertical(nullptr);
    w->beginFixedList(1, "Games")->initSelectableEntries(false)->initColumnTitles("Name");
    w->addFixedListEntry("One");
    w->addFixedListEntry("Two\tignored");
    w->endFixedList();
    w->beginFixedList(3, nullptr)->initColumnTitles("Name\tSize\tKind")->initColumnAlignment("lRc?");
    w->addFixedListEntry("A\t1\tx");
    w->addFixedListEntry("B\t22");
    w->endFixedList();
    // Titles but no rows: no title row either.
    w->beginFixedList(1, nullptr)->initColumnTitles("Never");
    w->endFixedList();
  });
  EXPECT_EQ(dump,
            "Group(V)["
            "Scrollgroup[Virtgroup(V,frame=virtual,title=\"Games\")[Group(H)[Text \"\\el\\e8Name\"] "
            "Group(H)[CheckMark(off) Text \"\\elOne\"] Group(H)[CheckMark(off) Text \"\\elTwo\"] Rectangle(filler)]] "
            "Scrollgroup[Virtgroup(cols=4,frame=virtual)[Group(H)[Rectangle(filler,fixh=35)] "
            "Group(H)[Text \"\\el\\e8Name\" HSpace] Group(H)[HSpace Text \"\\er\\e8Size\"] "
            "Group(H)[HSpace Text \"\\ec\\e8Kind\" HSpace] "
            "Group(H)[Rectangle(filler,fixh=35)] Group(H)[Text \"\\elA\" HSpace] Group(H)[HSpace Text \"\\er1\"] "
            "Group(H)[HSpace Text \"\\ecx\" HSpace] "
            "Group(H)[Rectangle(filler,fixh=35)] Group(H)[Text \"\\elB\" HSpace] Group(H)[HSpace Text \"\\er22\"] "
            "HSpace]] "
            "Scrollgroup[Virtgroup(V,frame=virtual)[Rectangle(filler)]]]");
}

TEST_F(FixedList, RowsAndTheirNeighbours) {
  cGuiFixedList* list = window->beginFixedList(2, "T");
  list->initColumnTitles("Title\tSize")->initSelectableEntries(true);
  EXPECT_EQ(list->infoFirstItem(), nullptr);
  EXPECT_EQ(list->infoLastItem(), nullptr);
  cGuiFixedListEntry* a = window->addFixedListEntry("A\t1");
  cGuiFixedListEntry* b = window->addFixedListEntry("B\t2");
  window->endFixedList();
  cGuiFixedListEntry* title = list->infoFirstItem();
  EXPECT_STREQ(title->infoLabel(), "Title\tSize");
  EXPECT_EQ(title->infoNextInGroup(), a);
  EXPECT_EQ(a->infoNextInGroup(), b);
  EXPECT_EQ(b->infoNextInGroup(), nullptr);
  // The last row, not the last column label of the grid.
  EXPECT_EQ(list->infoLastItem(), b);
  EXPECT_EQ(list->infoSize(), 9);
  EXPECT_EQ((std::vector<int32_t>{title->infoIndex(), a->infoIndex(), b->infoIndex()}), (std::vector<int32_t>{0, 1, 2}));
  EXPECT_EQ(list->infoColumnTitles(), nullptr);
  EXPECT_TRUE(list->infoScrollable());
  EXPECT_TRUE(list->infoHasBorder());
  EXPECT_STREQ(list->infoTitle(), "T");
  // The title row has no tick.
  EXPECT_FALSE(title->getState());
  expectError("EMU", "cGuiFixedListEntry.setState(); list entries are not selectable", [&] { title->setState(true); });
  // Ghosting the list ghosts the rows' ticks.
  list->setGhosted(true);
  EXPECT_TRUE(a->getGhosted());
  window->build(true);
  EXPECT_EQ(muiGet(tickOf(a), MUIA_Disabled), 1);
}

TEST_F(FixedList, RefusalsOfTheListAndItsOptions) {
  expectError("EMU", "cGuiFixedList.beginFixedList(); columns<1", [&] { window->beginFixedList(0, nullptr); });
  window->beginGroupVertical(nullptr);
  expectError("EMU", "cGuiWindow.addFixedListEntry(); must be done inside a list",
              [&] { window->addFixedListEntry("x"); });
  cGuiFixedList* list = window->beginFixedList(1, nullptr);
  expectError("EMU", "cGuiFixedList.getMultiSelect(); this does not make sense, as entries are not selectable",
              [&] { list->getMultiSelect(); });
  expectError("EMU", "cGuiFixedList.setMultiSelect(); this does not make sense, as entries are not selectable",
              [&] { list->setMultiSelect(true); });
  expectError("EMU",
              "cGuiFixedList.infoSingleSelectionEntry(); this does not make sense, as entries are not selectable",
              [&] { list->infoSingleSelectionEntry(); });
  expectError("EMU", "cGuiFixedList.initScrollable(); this method is not supported", [&] { list->initScrollable(); });
  expectError("EMU", "cGuiFixedList.initEqualSizedItems(); this method is not supported",
              [&] { list->initEqualSizedItems(); });
  expectError("EMU", "cGuiFixedList.infoEqualSizedItems(); this method is not supported",
              [&] { list->infoEqualSizedItems(); });
  // Not selectable: rows are made but not handed out.
  EXPECT_EQ(window->addFixedListEntry("row"), nullptr);
  expectError("EMU", "cGuiFixedList.initSelectableEntries(); this cannot be called after entries have been added",
              [&] { list->initSelectableEntries(false); });
  expectError("EMU", "cGuiFixedList.initColumnAlignment(); this cannot be called after entries have been added",
              [&] { list->initColumnAlignment("R"); });
  expectError("EMU", "cGuiFixedList.initColumnTitles(); this cannot be called after entries have been added",
              [&] { list->initColumnTitles("T"); });
  expectError("EMU", "cGuiFixedListEntry.setState(); list entries are not selectable",
              [&] { list->infoFirstItem()->setState(true); });
  window->beginGroupHorizontal(nullptr);
  expectError("EMU", "cGuiWindow.addFixedListEntry(); must be done inside a list",
              [&] { window->addFixedListEntry("x"); });
  window->endGroup();
  window->endFixedList();
  cGuiFixedList* multi = window->beginFixedList(1, nullptr)->initSelectableEntries(true);
  expectError("EMU", "cGuiFixedList.infoSingleSelectionEntry(); this cannot be called when multiSelect=TRUE",
              [&] { multi->infoSingleSelectionEntry(); });
  EXPECT_EQ(window->endFixedList(), window->infoRootGroup());
}

TEST_F(FixedList, SingleSelectionWhileDescribedBeforeAndAfterTheBuild) {
  cGuiFixedList* list = window->beginFixedList(2, nullptr)->initSelectableEntries(false);
  cGuiFixedListEntry* a = window->addFixedListEntry("A\t1");
  cGuiFixedListEntry* b = window->addFixedListEntry("B\t2");
  cGuiFixedListEntry* c = window->addFixedListEntry("C\t3");
  a->setState(true);
  b->setState(true);
  EXPECT_EQ(selection(list), "010 count=1 single=B\t2");
  window->endFixedList();
  // Described, not yet built: the list still counts.
  c->setState(true);
  c->setState(true);
  EXPECT_EQ(selection(list), "001 count=1 single=C\t3");
  window->build(true);
  EXPECT_EQ(muiGet(tickOf(c), MUIA_Selected), 1);
  // The program sets a row to the state it has: the tick reports it, and it counts nothing.
  c->setState(true);
  deliver();
  EXPECT_EQ(selection(list), "001 count=1 single=C\t3");
  a->setState(true);
  deliver();
  EXPECT_EQ(selection(list), "100 count=1 single=A\t1");
  // The user ticks B: its change event selects it and unselects A.
  SetAttrs(tickOf(b), MUIA_Selected, 1);
  deliver();
  EXPECT_EQ(selection(list), "010 count=1 single=B\t2");
  SetAttrs(tickOf(b), MUIA_Selected, 0);
  deliver();
  EXPECT_EQ(selection(list), "000 count=0 single=-");
}

TEST_F(FixedList, FromSeveralSelectedRowsToOne) {
  for (int selected : {1, 2}) {
    cGuiWindowHost* w = newHostWindow();
    cGuiFixedList* list = w->beginFixedList(1, nullptr)->initSelectableEntries(true);
    std::vector<cGuiFixedListEntry*> rows;
    for (const char* label : {"A", "B", "C"}) rows.push_back(w->addFixedListEntry(label));
    w->endFixedList();
    w->build(true);
    for (int i = 0; i < selected; ++i) SetAttrs(tickOf(rows[static_cast<size_t>(i) + 1]), MUIA_Selected, 1);
    deliver();
    EXPECT_EQ(selection(list), selected == 1 ? "010 count=1" : "011 count=2");
    list->setMultiSelect(false);
    deliver();
    EXPECT_EQ(selection(list), selected == 1 ? "010 count=1 single=B" : "000 count=0 single=-");
    End(w);
  }
}

}  // namespace
