// A program that misuses the toolkit gets an error, never memory damage: a
// page added to a page group after the build, an item that is not a row in
// a fixed list, an update with no producer, and the caller-made object of a
// native simple item, which is disposed exactly once whatever becomes of
// the window.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/strings/string.h"
#include "gui/lists/gui_fixed_list.h"
#include "gui/mui/hosts/gui_group_page_host.h"
#include "gui/mui/hosts/gui_native_host.h"
#include "gui/mui/lists/gui_list_host.h"
#include "tests/gui/mui/host_window.h"
#include "tests/support/expect_error.h"

namespace {

// An item of the application's own whose build fails.
class failingItem : public cGuiNativeHost {
  LUDEX_CLASS(failingItem, cGuiNativeHost)
 public:
  cGuiChildList* build(Object** object, Object** labelObject) override {
    (void)object, (void)labelObject;
    Throw("TEST", "build failed");
  }
};

class Misuse : public HostWindowTest {};

TEST_F(Misuse, IsRefusedWithAnErrorAndNoObjectIsLostOrDisposedTwice) {
  // A page added after the build has no object and no place in the page
  // table: refused, and the page shown is still one of the table's.
  {
    window->beginGroupVertical(nullptr);
    auto* pages = static_cast<cGuiGroupPageHost*>(window->beginGroupPage(nullptr));
    window->addText("first");
    window->endGroup();
    window->endGroup();
    window->build(true);
    cGuiItem* late = window->makeText();
    static_cast<cGuiText*>(late)->new_cGuiText("late");
    expectError("EMU", "cGuiGroupPage.add(); the window has been built", [&] { pages->add(late); });
    End(late);  // still the caller's
    EXPECT_EQ(pages->infoSize(), 1);
    EXPECT_EQ(pages->getStateItem(), pages->infoPageItemOfPageNum(0));
  }

  // A label put into a fixed list before its rows is no row: taking rows
  // refuses it (a multi-select list going single takes its rows).
  for (const int32_t columns : {1, 2}) {
    cGuiWindowHost* w = newHostWindow();
    w->beginGroupVertical(nullptr);
    cGuiFixedList* fixed = w->beginFixedList(columns, nullptr)->initSelectableEntries(true);
    w->addLabel("stray");
    w->addFixedListEntry("a")->setState(true);
    w->addFixedListEntry("b")->setState(true);
    w->endFixedList();
    w->endGroup();
    const char* refusal = "cGuiFixedList.infoFirstItem(); the list holds an item that is not one of its rows";
    expectError("EMU", refusal, [&] { fixed->setMultiSelect(false); });
    expectError("EMU", refusal, [&] { fixed->infoFirstItem(); });
    End(w);
  }

  // An update with no producer is one with no entries.
  {
    cGuiWindowHost* w = newHostWindow();
    w->beginGroupVertical(nullptr);
    auto* list = static_cast<cGuiListHost*>(w->beginList(1, nullptr));
    list->setSortByColumn(0, false);
    w->addListEntry("a", false, false, 0, nullptr);
    w->endList();
    w->endGroup();
    w->build(true);
    list->updateF(nullptr);
    EXPECT_EQ(list->infoSize(), 0);
    End(w);
  }

  // A native simple item owns its object until a build places it; a build
  // that fails before the item leaves it to the item, one that fails after
  // it disposed it with the objects made so far, a window built takes it.
  struct Case {
    const char* name;
    bool build;
    int failing;  // where an item of the application's that fails stands: -1 none, 0 before, 1 after
  } cases[] = {
      {"never built", false, -1}, {"failing before", true, 0}, {"failing after", true, 1}, {"built", true, -1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const int32_t liveBefore = ostest::liveMuiObjects();
    cGuiWindowHost* w = newHostWindow();
    w->beginGroupVertical(nullptr);
    auto addFailing = [&] {
      auto* own = new failingItem;
      own->initShared();
      w->addNative(own);
    };
    if (c.failing == 0) addFailing();
    w->addNativeSimple(MUI_NewObject("Rectangle.mui"), 0, MUIV_NotTriggerValue, MUI_MakeObject(MUIO_Label, "Own", 0),
                       true, true, false);
    if (c.failing == 1) addFailing();
    w->endGroup();
    if (c.build && c.failing >= 0) expectError("TEST", "build failed", [&] { w->build(true); });
    if (c.build && c.failing < 0) w->build(true);
    End(w);
    EXPECT_EQ(ostest::liveMuiObjects(), liveBefore);
    EXPECT_TRUE(ostest::muiFaults().empty()) << ostest::muiFaults().front();
  }
}

}  // namespace
