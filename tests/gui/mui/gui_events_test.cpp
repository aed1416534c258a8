// The event queue driven as a user would: presses, fields left, close
// requests, drops, the commodities kill, redirects, busy windows, events of
// ended windows, polling, and delivery whose notification fails or ends its
// own window.
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "core/exception.h"
#include "gui/items/gui_input_item.h"
#include "gui/mui/client/gui_action_hook.h"
#include "gui/mui/gui_shared.h"
#include "os/commodities/commodities.h"
#include "os/exec/hosted_failure.h"
#include "os/mui/driver/user_driver.h"
#include "os/workbench/app_message.h"
#include "tests/gui/mui/gui_client.h"
#include "tests/support/dos_sandbox.h"
#include "tests/support/expect_error.h"

namespace {

class GuiEvents : public GuiClientTest {
 protected:
  void SetUp() override {
    GuiClientTest::SetUp();
    buildApp();
  }
  // A native button: one change each time it is pressed and let go.
  cGuiNativeSimple* button(cGuiWindowHost* w, const char* name) {
    Object* object = MUI_NewObject("Text.mui", MUIA_InputMode, MUIV_InputMode_RelVerify);
    cGuiNativeSimple* item = w->addNativeSimple(object, MUIA_Pressed, 0, nullptr, true, true, true);
    names[item] = name;
    return item;
  }
  // A native field in the window's object-to-item map: leaving it is its change.
  cGuiNativeSimple* field(cGuiWindowHost* w, const char* name) {
    Object* object = MUI_NewObject("String.mui");
    cGuiNativeSimple* item = w->addNativeSimple(object, 0, MUIV_NotTriggerValue, nullptr, false, true, true);
    w->mapObjectToItem(object, item);
    names[item] = name;
    return item;
  }
  static Object* objectOf(cGuiItem* item) { return sharedOf(item)->object; }
  static Object* windowOf(cGuiWindow* w) { return static_cast<cGuiWindowHost*>(w)->infoWindowObject(); }

  // "window:item" of an event, "-" for a window event.
  std::string describe(cGuiItem* item, cGuiWindow* w) {
    if (!w) return item ? "?:item" : "none";
    return std::string(w->infoTitle()) + ":" + (item ? names[item] : "-");
  }
  // The next event, taken as the application takes it.
  std::string next() {
    cGuiWindow* w = nullptr;
    cGuiItem* item = WaitForChangedGuiItem(&w);
    if (w) {
      EXPECT_EQ(w->getLastChangedItem(), item);
    }
    return describe(item, w);
  }
  std::string poll(bool keepOthers = true) {
    cGuiWindow* w = nullptr;
    cGuiItem* item = CheckForChangedGuiItem(keepOthers, &w);
    return describe(item, w);
  }

  std::map<cGuiItem*, std::string> names;
};

TEST_F(GuiEvents, EventsComeOutInTheOrderTheUserCausedThem) {
  cGuiNativeSimple *ok = nullptr, *name = nullptr, *other = nullptr;
  cGuiWindowHost* a = describedWindow("A", [&](cGuiWindowHost* w) {
    name = field(w, "name");
    ok = button(w, "ok");
  });
  cGuiWindowHost* b = describedWindow("B", [&](cGuiWindowHost* w) { other = button(w, "other"); });
  a->build(false);
  b->build(false);
  // Tab moves through the field and the button, in build order.
  EXPECT_NE(ostest::dumpMuiTree(windowOf(a)).find("Window(open,chain=2)"), std::string::npos);
  mui::user::type(objectOf(name), "Fred", true);
  mui::user::press(objectOf(ok));  // leaves the field first
  mui::user::press(objectOf(other));
  mui::user::press(objectOf(ok));
  EXPECT_EQ(next(), "A:name");
  EXPECT_EQ(next(), "A:ok");
  EXPECT_EQ(next(), "B:other");
  EXPECT_EQ(next(), "A:ok");  // the field was left already
  // Two changes queued during one pass come out one per call.
  mui::user::runInput(application());
  EXPECT_EQ(guiAppClient->infoQueuedEvents(), 0);
  mui::act::type(objectOf(name), "Jim", true);
  mui::act::press(objectOf(ok));
  EXPECT_EQ(guiAppClient->infoQueuedEvents(), 2);
  EXPECT_EQ(next(), "A:name");
  EXPECT_EQ(next(), "A:ok");
  EXPECT_EQ(a->getLastChangedItem(), ok);
}

TEST_F(GuiEvents, CloseRequestsAreKeptOrClearedAndPollingTakesOneEvent) {
  cGuiWindowHost* a = textWindow("A");
  cGuiWindowHost* b = textWindow("B");
  a->build(false);
  b->build(false);
  EXPECT_EQ(poll(), "none");  // nothing pending: no waiting
  mui::user::requestClose(windowOf(a));
  EXPECT_EQ(next(), "A:-");
  EXPECT_TRUE(a->getCloseRequest(true));
  EXPECT_TRUE(a->getCloseRequest(false));
  EXPECT_FALSE(a->getCloseRequest(false));
  EXPECT_FALSE(b->getCloseRequest(true));
  // Polling without keeping the others clears their requests.
  mui::user::requestClose(windowOf(a));
  EXPECT_EQ(next(), "A:-");
  mui::user::requestClose(windowOf(b));
  EXPECT_EQ(poll(true), "B:-");
  EXPECT_TRUE(a->getCloseRequest(true));
  EXPECT_EQ(poll(false), "none");
  EXPECT_FALSE(a->getCloseRequest(true));
  EXPECT_FALSE(b->getCloseRequest(true));
  mui::user::requestClose(windowOf(b));
  mui::user::requestClose(windowOf(a));
  EXPECT_EQ(poll(false), "B:-");
  EXPECT_EQ(poll(false), "A:-");
  EXPECT_TRUE(a->getCloseRequest(true));
  EXPECT_FALSE(b->getCloseRequest(true));  // cleared by the later poll
}

TEST_F(GuiEvents, DroppedFilesAndFoldersArriveOnePerEventInTheirOrder) {
  DosSandbox box;
  box.writeFile("games/a.adf", "x");
  box.writeFile("games/b.lha", "x");
  box.writeFile("c.txt", "x");
  box.makeDir("games/Folder");
  cGuiWindowHost* w = describedWindow("W", [](cGuiWindowHost* d) { d->initAllowDropFiles()->addText("T"); });
  cGuiWindowHost* plain = textWindow("Plain");
  w->build(false);
  plain->build(false);
  mui::user::drop(windowOf(w), {"Sandbox:games/a.adf", "Sandbox:games/Folder", "Sandbox:c.txt", "Sandbox:games/b.lha"});
  const std::vector<std::string> expected = {"Sandbox:/games/a.adf", "Sandbox:/games/Folder/", "Sandbox:/c.txt",
                                             "Sandbox:/games/b.lha"};
  std::vector<const char*> handedOut;
  for (const std::string& path : expected) {
    EXPECT_EQ(next(), "W:-");
    EXPECT_STREQ(w->getDroppedFile(true), path.c_str());
    handedOut.push_back(w->getDroppedFile(false));
  }
  // The last path handed out stays valid until the next hand-out.
  EXPECT_STREQ(handedOut.back(), "Sandbox:/games/b.lha");
  EXPECT_EQ(w->getDroppedFile(false), nullptr);
  w->setDroppedFile("Sandbox:/x");
  EXPECT_STREQ(w->getDroppedFile(false), "Sandbox:/x");
  // Other messages and empty drops queue nothing; a window that takes no
  // drops is not told about them.
  WBArg arg{0, nullptr};
  AppMessage icon{AMTYPE_APPICON, 0, 1, &arg};
  AppMessage empty{AMTYPE_APPWINDOW, 0, 0, nullptr};
  SetAttrs(windowOf(w), MUIA_AppMessage, &icon);
  SetAttrs(windowOf(w), MUIA_AppMessage, &empty);
  SetAttrs(windowOf(w), MUIA_AppMessage, 0);
  EXPECT_EQ(guiAppClient->infoQueuedEvents(), 0);
  EXPECT_THROW(mui::act::drop(windowOf(plain), {"Sandbox:c.txt"}), HostedFailure);
}

TEST_F(GuiEvents, TheCommoditiesKillReachesEveryWindowAndSetsTheQuitRequest) {
  cGuiWindowHost* a = textWindow("A");
  cGuiWindowHost* b = textWindow("B");
  a->build(false);
  b->build(false);
  mui::user::commoditiesKill(application());
  EXPECT_EQ(next(), "A:-");
  EXPECT_EQ(next(), "B:-");
  EXPECT_TRUE(b->getQuitRequest(true));
  EXPECT_TRUE(a->getQuitRequest(false));  // one request for all windows
  EXPECT_FALSE(b->getQuitRequest(false));
  EXPECT_FALSE(a->getCloseRequest(true));
  // Other commodity commands are not for the program.
  for (CxMsg message : {CxMsg{CXM_COMMAND, CXCMD_DISABLE}, CxMsg{CXM_IEVENT, CXCMD_KILL}})
    CallHookPkt(reinterpret_cast<Hook*>(attr(application(), MUIA_Application_BrokerHook)), application(), &message);
  EXPECT_EQ(guiAppClient->infoQueuedEvents(), 0);
  a->setQuitRequest(true);
  EXPECT_TRUE(b->getQuitRequest(false));
  // A window still being described is told too; ended before the event is
  // taken, it takes its event with it.
  cGuiWindowHost* described = textWindow("Described");
  mui::act::commoditiesKill(application());
  EXPECT_EQ(guiAppClient->infoQueuedEvents(), 3);
  DestroyGuiWindow(described);
  EXPECT_EQ(guiAppClient->infoQueuedEvents(), 2);
  EXPECT_EQ(next(), "A:-");
  EXPECT_EQ(next(), "B:-");
  EXPECT_TRUE(a->getQuitRequest(false));
}

TEST_F(GuiEvents, HooksPrintTheirErrorsAndKeepWhatTheyQueued) {
  cGuiWindowHost* a = textWindow("A");
  a->build(false);
  // A resource that is not a window: the kill reaches the windows before it.
  auto* stranger = new cAppResource;
  guiAppClient->add(stranger);
  cGuiWindowHost* after = textWindow("After");
  after->build(false);
  testing::internal::CaptureStdout();
  mui::act::commoditiesKill(application());
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "EXCEPTION: \" BUG\"; cGui; appCxBroker(); resource is not a window!.\n");
  EXPECT_EQ(next(), "A:-");
  EXPECT_EQ(guiAppClient->infoQueuedEvents(), 0);
  EXPECT_TRUE(a->getQuitRequest(false));
  // A notification that names no item or window queues nothing.
  const IPTR words[] = {0, 0, 0};
  testing::internal::CaptureStdout();
  CallHookPkt(infoGuiActionHook(), nullptr, const_cast<IPTR*>(words));
  CallHookPkt(guiAppClient->infoWindowHook(), nullptr, const_cast<IPTR*>(words));
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "EXCEPTION: \" BUG\"; cGui; guiAction(); the notification names no item or no window.\n"
            "EXCEPTION: \" BUG\"; cGui; winAction(); the notification names no window.\n");
  EXPECT_EQ(guiAppClient->infoQueuedEvents(), 0);
  guiAppClient->rem(stranger);
  End(stranger);
}

TEST_F(GuiEvents, RedirectsReportTheEndOfTheChainAndRefuseCycles) {
  cGuiNativeSimple *first = nullptr, *second = nullptr, *third = nullptr;
  cGuiWindowHost* w = describedWindow("W", [&](cGuiWindowHost* d) {
    first = button(d, "first");
    second = button(d, "second");
    third = button(d, "third");
  });
  first->setRedirectEventTo(second);
  second->setRedirectEventTo(third);
  expectError("EMU", "cGuiItem.setRedirectEventTo(); the redirect would close a cycle",
              [&] { third->setRedirectEventTo(first); });
  expectError("EMU", "cGuiItem.setRedirectEventTo(); the redirect would close a cycle",
              [&] { third->setRedirectEventTo(third); });
  EXPECT_EQ(third->getRedirectEventTo(), nullptr);
  w->build(false);
  mui::user::press(objectOf(first));
  mui::user::press(objectOf(second));
  EXPECT_EQ(next(), "W:third");
  EXPECT_EQ(next(), "W:third");
  second->setRedirectEventTo(nullptr);
  mui::user::press(objectOf(first));
  EXPECT_EQ(next(), "W:second");
}

TEST_F(GuiEvents, BusyWindowsTakeNoInputAndEndedWindowsLeaveNoEvents) {
  cGuiNativeSimple *inA = nullptr, *inB = nullptr;
  cGuiWindowHost* a = describedWindow("A", [&](cGuiWindowHost* d) { inA = button(d, "a"); });
  cGuiWindowHost* b = describedWindow("B", [&](cGuiWindowHost* d) { inB = button(d, "b"); });
  a->build(false);
  b->build(false);
  a->setBusy(true);
  EXPECT_THROW(mui::act::press(objectOf(inA)), HostedFailure);
  a->setBusy(false);
  mui::act::press(objectOf(inB));
  mui::act::press(objectOf(inA));
  mui::act::requestClose(windowOf(b));
  mui::act::press(objectOf(inA));
  mui::act::requestClose(windowOf(a));
  EXPECT_EQ(guiAppClient->infoQueuedEvents(), 5);
  DestroyGuiWindow(a);
  EXPECT_EQ(guiAppClient->infoQueuedEvents(), 2);
  EXPECT_EQ(next(), "B:b");
  EXPECT_EQ(next(), "B:-");
  EXPECT_TRUE(b->getCloseRequest(true));
}

TEST_F(GuiEvents, TheFirstTextFieldHasTheKeyboardAndALeftNumberFieldReportsOnceMore) {
  cGuiNumberString* year = nullptr;
  cGuiString* name = nullptr;
  cGuiButton* ok = nullptr;
  cGuiWindowHost* w = describedWindow("W", [&](cGuiWindowHost* d) {
    year = d->addNumberString("Year", 1980, 2000);
    name = d->addString("Name");
    ok = d->addButton("OK");
  });
  names[year] = "year";
  names[name] = "name";
  names[ok] = "ok";
  w->build(false);
  // The first text field has the keyboard, not the number field before it.
  EXPECT_EQ(attr(windowOf(w), MUIA_Window_ActiveObject), toIPTR(objectOf(name)));
  // A number out of bounds is brought back to the nearer bound, which is a
  // change of the field again; leaving the field for the button reports it
  // once more, before the button.
  struct Case {
    const char* typed;
    int32_t state;
    const char* events;
  } cases[] = {
      // Typing into the number field takes the keyboard from the name field.
      {"2500", 2000, "W:name W:year W:year W:year W:ok "},
      {"12", 1980, "W:year W:year W:year W:ok "},
      {"1990", 1990, "W:year W:year W:ok "},
  };
  for (const Case& c : cases) {
    mui::user::type(objectOf(year), c.typed, true);
    mui::user::press(objectOf(ok));
    mui::user::runInput(application());
    std::string events;
    while (guiAppClient->infoQueuedEvents() > 0) events += next() + " ";
    EXPECT_EQ(events, c.events) << c.typed;
    EXPECT_EQ(year->getState(), c.state) << c.typed;
  }
}

// An input item of the test's own: it changes only through queued events.
class probeInput : public cGuiInputItem {
  LUDEX_CLASS(probeInput, cGuiInputItem)
};

// A notification that fails, or that destroys the window of the change and
// then does what the test asks.
class probeNotify : public funcGuiNotify {
  LUDEX_CLASS(probeNotify, funcGuiNotify)
 public:
  void call(cGuiItem* item) override {
    (void)item;
    ++calls;
    if (fail) Throw("TEST", "notification failed");
    if (destroy) destroy = static_cast<cGuiWindowHost*>(DestroyGuiWindow(destroy));
    if (then) std::exchange(then, nullptr)();
  }
  int calls = 0;
  bool fail = false;
  cGuiWindowHost* destroy = nullptr;
  std::function<void()> then;
};

TEST_F(GuiEvents, DeliveryDisposesTheEventWhenTheNotificationFailsOrEndsItsWindow) {
  cGuiWindowHost* a = textWindow("A");
  cGuiWindowHost* b = textWindow("B");
  a->build(false);
  b->build(false);
  auto* input = new probeInput;
  auto* notify = new probeNotify;
  input->setNotifyFunction(notify);
  names[input] = "input";
  notify->fail = true;
  guiAppClient->addEvent(input, a);
  guiAppClient->addEvent(nullptr, b);
  expectError("TEST", "notification failed", [&] { WaitForChangedGuiItem(); });
  EXPECT_EQ(guiAppClient->infoQueuedEvents(), 1);  // the failed event is gone, the next one stays
  EXPECT_EQ(next(), "B:-");
  // The notification ends the window: the wait goes on to the next event.
  notify->fail = false;
  notify->destroy = a;
  guiAppClient->addEvent(input, a);
  guiAppClient->addEvent(input, b);
  EXPECT_EQ(next(), "B:input");
  EXPECT_EQ(notify->calls, 3);
  // A window made in the ended one's place (often in its very memory) is not
  // the event's window: the wait goes on, and the new window changed nothing.
  cGuiWindowHost* c = textWindow("C");
  c->build(false);
  cGuiWindowHost* replacement = nullptr;
  notify->destroy = c;
  notify->then = [&] {
    replacement = textWindow("D");
    replacement->build(false);
  };
  guiAppClient->addEvent(input, c);
  guiAppClient->addEvent(nullptr, b);
  EXPECT_EQ(next(), "B:-");
  EXPECT_EQ(replacement->getLastChangedItem(), nullptr);
  DestroyGuiWindow(replacement);
  // The item of the change lives in the window its notification ends: the
  // delivery looks at the item no more once it has run, and a text box
  // re-arms its change mark before its notification may end it.
  const std::function<cGuiInputItem*(cGuiWindowHost*)> itemsInside[] = {
      [](cGuiWindowHost* w) { return w->addButton("inside"); },
      [](cGuiWindowHost* w) { return w->addStringBox("Notes"); },
  };
  for (const auto& makeItem : itemsInside) {
    cGuiInputItem* inside = nullptr;
    cGuiWindowHost* d = describedWindow("D", [&](cGuiWindowHost* w) { inside = makeItem(w); });
    d->build(false);
    inside->setNotifyFunction(notify);
    notify->destroy = d;
    const int callsBefore = notify->calls;
    guiAppClient->addEvent(inside, d);
    guiAppClient->addEvent(nullptr, b);
    EXPECT_EQ(next(), "B:-");
    EXPECT_EQ(notify->calls, callsBefore + 1);
  }
  // Polled, such an event reports nothing.
  notify->destroy = b;
  guiAppClient->addEvent(input, b);
  EXPECT_EQ(poll(false), "none");
  EXPECT_EQ(guiAppClient->infoFirstResource(), nullptr);
  End(input);
  End(notify);
}

}  // namespace
