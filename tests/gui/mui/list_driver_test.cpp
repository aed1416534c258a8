// A person using a list: clicks, double-clicks and title clicks go through
// the event queue to the list's events, as the application reads them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/strings/string.h"
#include "gui/mui/lists/gui_list_host.h"
#include "os/mui/driver/user_driver.h"
#include "os/mui/mui_lists.h"
#include "tests/gui/mui/gui_client.h"

namespace {

class notifyCounter : public funcGuiNotify {
  LUDEX_CLASS(notifyCounter, funcGuiNotify)
 public:
  void call(cGuiItem* item) override {
    // It runs once the delivery turned the list's pending flags into events.
    if (static_cast<cGuiList*>(item)->getEventSelectionChanged(true)) ++callsWithTheEvent;
  }
  int callsWithTheEvent = 0;
};

class ListDriver : public GuiClientTest {
 protected:
  void SetUp() override {
    GuiClientTest::SetUp();
    buildApp();
    notify = new notifyCounter;
    notify->new_function();
  }
  void TearDown() override {
    if (window) DestroyGuiWindow(window);  // the client's resource
    End(notify);
    GuiClientTest::TearDown();
  }
  // A built, open window around a list of the given options and labels.
  template <class Options>
  void openList(int32_t columns, const std::vector<const char*>& labels, Options options) {
    window = describedWindow("Lists", [&](cGuiWindowHost* w) {
      list = static_cast<cGuiListHost*>(w->beginList(columns, "Games"));
      options(list);
      for (const char* l : labels) w->addListEntry(l, false, false, 0, nullptr);
      w->endList();
    });
    list->setNotifyFunction(notify);
    window->build(false);
  }
  // The item whose change is delivered next.
  cGuiItem* delivered() { return WaitForChangedGuiItem(); }
  std::string labels() {
    std::string out;
    if (list->cursor_walkToStart() < 0) return out;
    do out += std::string(out.empty() ? "" : "|") + list->cursor_getLabel();
    while (list->cursor_gotoNext(1));
    return out;
  }
  cGuiWindowHost* window = nullptr;
  cGuiListHost* list = nullptr;
  notifyCounter* notify = nullptr;
};

TEST_F(ListDriver, ClicksSelectAndDoubleClicksNameTheirEntry) {
  openList(1, {"a", "b", "c"}, [](cGuiList* l) { l->initSelectableEntries(false, false)->setSortByColumn(0, false); });
  mui::user::clickRow(list->infoNList(), 1);
  EXPECT_EQ(delivered(), list);
  EXPECT_EQ(notify->callsWithTheEvent, 1);
  EXPECT_TRUE(list->getEventSelectionChanged(true));
  EXPECT_TRUE(list->getEventSelectionChanged(false));
  EXPECT_FALSE(list->getEventSelectionChanged(false));
  EXPECT_STREQ(list->infoSingleSelectionEntry(), "b");
  EXPECT_EQ(list->infoSelectionCount(), 1);
  // An update that takes rows away around the selected one keeps it selected
  // and queues no change of the list: the user changed nothing.
  StringChain chain;
  for (const char* l : {"e", "b", "d", "c"}) chain.append(StrClone(l));
  list->update(chain.head);
  EXPECT_EQ(labels(), "b|c|d|e");
  EXPECT_EQ(CheckForChangedGuiItem(true), nullptr);
  EXPECT_STREQ(list->infoSingleSelectionEntry(), "b");

  mui::user::doubleClickRow(list->infoNList(), 2);
  while (CheckForChangedGuiItem(true)) {
  }
  list->cursor_gotoStart();
  EXPECT_STREQ(list->getEventDoubleClickedEntry(true, false), "d");
  EXPECT_STREQ(list->cursor_getLabel(), "d");  // the cursor went there
  EXPECT_EQ(list->getEventDoubleClickedEntry(true, false), nullptr);
  list->cursor_gotoStart();
  list->setEventDoubleClickedEntry();
  EXPECT_STREQ(list->getEventDoubleClickedEntry(false, true), "b");
}

TEST_F(ListDriver, TitleClicksOfAUserSortedListToggleAndMoveTheSort) {
  openList(2, {"b\t2", "a\t10", "c\t9"}, [](cGuiList* l) {
    l->initColumnTitles("Name\tCount")->initColumnSortType("IN")->setSortByUser(0, false);
  });
  Object* nlist = list->infoNList();
  EXPECT_EQ(labels(), "a\t10|b\t2|c\t9");
  IPTR mark = 0;
  GetAttr(MUIA_NList_TitleMark, nlist, &mark);
  EXPECT_EQ(static_cast<uint32_t>(mark), 0u);

  struct {
    size_t column;
    const char* rows;
    uint32_t mark;
  } clicks[] = {
      {0, "c\t9|b\t2|a\t10", MUIV_NList_TitleMark_Reversed},  // the same column reverses
      {0, "a\t10|b\t2|c\t9", 0},                              // and restores
      {1, "b\t2|c\t9|a\t10", 1},                              // another column, ascending, as numbers
  };
  for (const auto& c : clicks) {
    list->cursor_gotoStart();
    const char* onCursor = list->cursor_getLabel();
    mui::user::clickTitle(nlist, c.column);
    EXPECT_EQ(delivered(), list);
    int32_t column = -1;
    bool reverse = false;
    EXPECT_TRUE(list->getEventSortedByUser(false, &column, &reverse));
    EXPECT_EQ(column, static_cast<int32_t>(c.column));
    EXPECT_EQ(reverse, c.mark == MUIV_NList_TitleMark_Reversed);
    EXPECT_STREQ(list->cursor_getLabel(), onCursor);  // the cursor kept its entry
    EXPECT_EQ(labels(), c.rows);
    GetAttr(MUIA_NList_TitleMark, nlist, &mark);
    EXPECT_EQ(static_cast<uint32_t>(mark), c.mark);
  }
  EXPECT_FALSE(list->getEventSortedByUser(false));
  // A click reported beyond the last column changes nothing.
  SetAttrs(nlist, MUIA_NList_TitleClick, 5);
  EXPECT_EQ(delivered(), list);
  EXPECT_FALSE(list->getEventSortedByUser(false));
  EXPECT_EQ(labels(), "b\t2|c\t9|a\t10");
  // Leaving the user's sorting takes the mark away.
  list->setSortByColumn(0, false);
  GetAttr(MUIA_NList_TitleMark, nlist, &mark);
  EXPECT_EQ(static_cast<uint32_t>(mark), MUIV_NList_TitleMark_None);
}

TEST_F(ListDriver, MultiSelectionByClicksAndByMarks) {
  openList(1, {"a", "b", "c", "d"}, [](cGuiList* l) { l->initSelectableEntries(true, true); });
  Object* nlist = list->infoNList();
  mui::user::clickRow(nlist, 0);
  mui::user::clickRow(nlist, 2, mui::RowClick::Shift);
  mui::user::clickRow(nlist, 1, mui::RowClick::Ctrl);
  while (CheckForChangedGuiItem(true)) {
  }
  EXPECT_EQ(list->infoSelectionCount(), 2);
  EXPECT_TRUE(list->getEventSelectionChanged(false));
  // The program selects the marked entries: every other selection goes.
  list->cursor_gotoEnd();
  list->cursor_setMarked(true);
  list->marked_setState(true);
  EXPECT_EQ(list->infoSelectionCount(), 3);
  list->marked_setState(false);
  EXPECT_EQ(list->infoSelectionCount(), 2);
  list->cursor_gotoFirstSelected();
  EXPECT_STREQ(list->cursor_getLabel(), "a");
}

// An update that removes the active row turns it off and the list tells of
// it, also after the same update removed rows before it; removing other rows
// tells of nothing.
TEST_F(ListDriver, AnUpdateThatRemovesTheActiveRowTellsOfIt) {
  openList(1, {"a", "b", "c", "d", "e"}, [](cGuiList* l) { l->initSelectableEntries(true, true); });
  list->setSortByColumn(0, false);
  Object* nlist = list->infoNList();
  SetAttrs(nlist, MUIA_NList_Active, 3);  // d: the active row, not selected
  while (CheckForChangedGuiItem(true)) {
  }
  EXPECT_EQ(list->infoSelectionCount(), 0);
  auto updateTo = [&](std::vector<const char*> labels) {
    StringChain chain;
    for (const char* l : labels) chain.append(StrClone(l));
    list->update(chain.head);
  };
  auto active = [&] {
    IPTR row = 0;
    GetAttr(MUIA_NList_Active, nlist, &row);
    return row;
  };
  updateTo({"b", "d", "e"});
  EXPECT_EQ(active(), 1);
  EXPECT_EQ(CheckForChangedGuiItem(true), nullptr);
  updateTo({"e"});
  EXPECT_EQ(labels(), "e");
  EXPECT_EQ(active(), MUIV_NList_Active_Off);
  EXPECT_EQ(delivered(), list);
}

// A dialog that closes on a pick: the list's notification ends its window,
// and the list with it, for a row click and for a title click. The delivery
// reads nothing of the list after that (the sanitizer build finds a read of
// its freed memory, the engine a use of its disposed objects).
class windowCloser : public funcGuiNotify {
  LUDEX_CLASS(windowCloser, funcGuiNotify)
 public:
  void call(cGuiItem* item) override {
    (void)item;
    ++picks;
    DestroyGuiWindow(*window);
    *window = nullptr;
  }
  cGuiWindowHost** window = nullptr;
  int picks = 0;
};

TEST_F(ListDriver, ANotificationThatEndsTheWindowEndsTheDelivery) {
  for (const bool titleClick : {false, true}) {
    SCOPED_TRACE(titleClick ? "title click" : "row click");
    openList(2, {"b\t2", "a\t10", "c\t9"}, [](cGuiList* l) {
      l->initSelectableEntries(false, false)->initColumnTitles("Name\tCount")->setSortByUser(0, false);
    });
    auto* closer = new windowCloser;
    closer->new_function();
    closer->window = &window;
    list->setNotifyFunction(closer);
    Object* nlist = list->infoNList();
    if (titleClick)
      mui::user::clickTitle(nlist, 1);
    else
      mui::user::clickRow(nlist, 1);
    cGuiWindow* from = nullptr;
    EXPECT_EQ(CheckForChangedGuiItem(true, &from), nullptr);  // the window and its list are gone
    EXPECT_EQ(from, nullptr);
    EXPECT_EQ(closer->picks, 1);
    EXPECT_EQ(window, nullptr);
    EXPECT_EQ(CheckForChangedGuiItem(true), nullptr);
    End(closer);
  }
}

}  // namespace
