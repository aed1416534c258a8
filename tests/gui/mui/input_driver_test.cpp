// The input items driven as a user drives them, through the toolkit's client:
// each gesture comes back from WaitForChangedGuiItem as a change of its item
// with the state the user left, the item's notification runs, and nothing
// else is queued; the path field's requester round trip; leaving a field.
#include <functional>
#include <string>
#include <vector>

#include "gui/mui/gui_host_conventions.h"
#include "os/asl/asl.h"
#include "os/intuition/requester_answers.h"
#include "os/mui/driver/user_driver.h"
#include "tests/gui/mui/gui_client.h"
#include "tests/support/dos_sandbox.h"

namespace {

const char* const colours[] = {"Red", "Green", "Blue", nullptr};

// Counts the changes delivered for the items it is set on.
class countingNotify : public funcGuiNotify {
  LUDEX_CLASS(countingNotify, funcGuiNotify)
 public:
  void call(cGuiItem* item) override { calls.push_back(item); }
  std::vector<cGuiItem*> calls;
};

class InputDriver : public GuiClientTest {
 protected:
  void SetUp() override {
    GuiClientTest::SetUp();
    ostest::resetRequesters();
    notify = new countingNotify;
    buildApp();
  }
  void TearDown() override {
    End(notify);
    GuiClientTest::TearDown();
  }
  static Object* objectOf(cGuiItem* item) { return sharedOf(item)->object; }
  // The next change the user caused, with the window it came from.
  cGuiItem* next(cGuiWindow* expectedWindow) {
    cGuiWindow* from = nullptr;
    cGuiItem* item = WaitForChangedGuiItem(&from);
    EXPECT_EQ(from, expectedWindow);
    return item;
  }
  // Nothing else waits: no queued event, and none that input would make.
  static bool quiet() { return CheckForChangedGuiItem(true) == nullptr; }
  countingNotify* notify = nullptr;
};

TEST_F(InputDriver, EachGestureIsAChangeOfItsItem) {
  cGuiButton* button = nullptr;
  cGuiTick* tick = nullptr;
  cGuiCycleChoice* cycle = nullptr;
  cGuiRadioChoice* radio = nullptr;
  cGuiSlider* slider = nullptr;
  cGuiString* string = nullptr;
  cGuiNumberString* number = nullptr;
  cGuiStringBox* notes = nullptr;
  cGuiPathString* path = nullptr;
  cGuiWindowHost* w = describedWindow("Input", [&](cGuiWindowHost* d) {
    button = d->addButton("Go")->setNotifyFunction(notify);
    tick = d->addTick("Tick")->setNotifyFunction(notify);
    cycle = d->addCycleChoice("Cycle", colours)->setNotifyFunction(notify);
    radio = d->addRadioChoice("Radio", colours)->setNotifyFunction(notify);
    slider = d->addSlider("Slider", 0, 10)->setNotifyFunction(notify);
    string = d->addString("String")->setNotifyFunction(notify);
    number = d->addNumberString("Number", -50, 99)->setNotifyFunction(notify);
    notes = d->addStringBox("Notes")->setNotifyFunction(notify);
    path = d->addPathString("Path")->setNotifyFunction(notify);
  });
  w->build(false);
  // The window opens with the keyboard in its first text field.
  mui::act::leaveField(w->infoWindowObject());
  EXPECT_EQ(next(w), string);
  struct Gesture {
    const char* name;
    std::function<void()> act;
    cGuiItem* item;
    std::function<std::string()> state;
    const char* expected;
  } gestures[] = {
      {"press", [&] { mui::user::press(objectOf(button)); }, button, [] { return std::string(); }, ""},
      {"tick", [&] { mui::user::toggle(objectOf(tick)); }, tick, [&] { return std::to_string(tick->getState()); }, "1"},
      {"cycle", [&] { mui::user::choose(objectOf(cycle), 2); }, cycle,
       [&] { return std::to_string(cycle->getState()); }, "2"},
      {"radio", [&] { mui::user::choose(objectOf(radio), 1); }, radio,
       [&] { return std::to_string(radio->getState()); }, "1"},
      {"slider", [&] { mui::user::choose(objectOf(slider), 7); }, slider,
       [&] { return std::to_string(slider->getState()); }, "7"},
      {"string", [&] { mui::user::type(objectOf(string), "hello", true); }, string,
       [&] { return std::string(string->getState()); }, "hello"},
      {"number", [&] { mui::user::type(objectOf(number), "-4x2", true); }, number,
       [&] { return std::to_string(number->getState()); }, "-42"},
      {"notes", [&] { mui::user::type(objectOf(notes), "one\ntwo", false); }, notes,
       [&] { return std::string(notes->getState()); }, "one\ntwo"},
      {"notes again", [&] { mui::user::editText(objectOf(notes), "three"); }, notes,
       [&] { return std::string(notes->getState()); }, "three"},
      {"path", [&] { mui::user::type(objectOf(path), "Work:a/b.adf", true); }, path,
       [&] { return std::string(path->getState()); }, "Work:/a/b.adf"},
  };
  for (const Gesture& g : gestures) {
    notify->calls.clear();
    g.act();
    EXPECT_EQ(next(w), g.item) << g.name;
    EXPECT_EQ(notify->calls, std::vector<cGuiItem*>{g.item}) << g.name;
    EXPECT_EQ(g.state(), g.expected) << g.name;
    EXPECT_EQ(w->getLastChangedItem(), g.item) << g.name;
    // A field that keeps the keyboard is reported again when it is left; nothing else is.
    mui::act::leaveField(w->infoWindowObject());
    std::vector<cGuiItem*> after;
    while (cGuiItem* item = CheckForChangedGuiItem(true)) after.push_back(item);
    EXPECT_TRUE(after.empty() || after == std::vector<cGuiItem*>{g.item}) << g.name;
  }
  // A ghosted item takes no gesture.
  tick->setGhosted(true);
  EXPECT_THROW(mui::act::toggle(objectOf(tick)), std::exception);
  EXPECT_TRUE(quiet());
}

TEST_F(InputDriver, LeavingATypedFieldReportsIt) {
  cGuiString* string = nullptr;
  cGuiButton* button = nullptr;
  cGuiWindowHost* w = describedWindow("Leave", [&](cGuiWindowHost* d) {
    string = d->addString("Name");
    button = d->addButton("OK");
  });
  w->build(false);
  // Typed without Return, then the button: the field is left first.
  mui::user::type(objectOf(string), "Fred", false);
  mui::user::press(objectOf(button));
  EXPECT_EQ(next(w), string);
  EXPECT_EQ(next(w), button);
  EXPECT_STREQ(string->getState(), "Fred");
  EXPECT_TRUE(quiet());
}

TEST_F(InputDriver, ThePathFieldsRequesterRoundTrip) {
  DosSandbox box;
  box.makeDir("games/new");
  cGuiPathString* file = nullptr;
  cGuiPathString* folder = nullptr;
  cGuiWindowHost* w = describedWindow("Paths", [&](cGuiWindowHost* d) {
    file = d->addPathString("File")->setState("Sandbox:/games/x.adf");
    folder = d->addPathString("Folder")->initOnlyShowFolders()->initShowSystemFiles();
  });
  w->build(false);
  mui::user::confirmPopup(objectOf(file), "Sandbox:games/new", "y.adf");
  EXPECT_EQ(next(w), file);
  EXPECT_STREQ(file->getState(), "Sandbox:/games/new/y.adf");
  mui::user::confirmPopup(objectOf(folder), "Sandbox:games/new", nullptr);
  EXPECT_EQ(next(w), folder);
  EXPECT_STREQ(folder->getState(), "Sandbox:/games/new/");
  // The requester opened on the field's drawer and file, or on the volumes.
  const std::vector<RequesterRecord>& log = ostest::requesterLog();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].title, "Select File");
  EXPECT_EQ(log[0].initialDrawer, "Sandbox:games");
  EXPECT_EQ(log[0].initialFile, "x.adf");
  EXPECT_FALSE(log[0].showVolumes);
  EXPECT_EQ(log[0].flags2, FRF_REJECTICONS);
  EXPECT_EQ(log[1].title, "Select Drawer");
  EXPECT_TRUE(log[1].showVolumes);
  EXPECT_FALSE(log[1].hasInitialFile);
  EXPECT_EQ(log[1].flags2, FRF_DRAWERSONLY);
  // A cancelled requester changes nothing and reports nothing.
  mui::user::cancelPopup(objectOf(file));
  EXPECT_TRUE(quiet());
  EXPECT_STREQ(file->getState(), "Sandbox:/games/new/y.adf");
}

TEST_F(InputDriver, ATypedNumberEndsWithinItsRange) {
  struct {
    int32_t min, max;
    const char* typed;
    int32_t state;
    size_t changes;  // a clamped number is reported once more
  } cases[] = {
      {5, 99, "500", 99, 2},
      {5, 99, "-3", 5, 2},
      {5, 99, "42", 42, 1},
      // A field with no number between its bounds keeps what was typed, without an error.
      {10, 5, "7", 7, 1},
  };
  for (auto& c : cases) {
    cGuiNumberString* number = nullptr;
    cGuiWindowHost* w = describedWindow("Number", [&](cGuiWindowHost* d) {
      number = d->addNumberString("N", c.min, c.max)->setNotifyFunction(notify);
    });
    w->build(false);
    notify->calls.clear();
    testing::internal::CaptureStdout();
    mui::user::type(objectOf(number), c.typed, true);
    EXPECT_EQ(next(w), number) << c.typed;
    while (CheckForChangedGuiItem(true)) {
    }
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "") << c.typed;
    EXPECT_EQ(notify->calls.size(), c.changes) << c.typed;
    EXPECT_EQ(number->getState(), c.state) << c.typed;
    DestroyGuiWindow(w);
  }
}

TEST_F(InputDriver, AFixedListFollowsTheUsersTicks) {
  cGuiFixedList* list = nullptr;
  std::vector<cGuiFixedListEntry*> rows;
  cGuiWindowHost* w = describedWindow("Fixed", [&](cGuiWindowHost* d) {
    list = d->beginFixedList(1, nullptr)->initSelectableEntries(false)->initColumnTitles("Name");
    for (const char* label : {"A", "B", "C"}) {
      rows.push_back(d->addFixedListEntry(label));
      rows.back()->setNotifyFunction(notify);
    }
    d->endFixedList();
  });
  w->build(false);
  const auto tickOf = [](cGuiFixedListEntry* row) {
    return sharedOf(static_cast<cGuiGroupItem*>(row)->infoFirstItem())->object;
  };
  // Every change comes as the row's, the ticks' own included.
  const auto drain = [&] {
    std::vector<cGuiItem*> items;
    while (cGuiItem* item = CheckForChangedGuiItem(true)) items.push_back(item);
    return items;
  };
  mui::user::toggle(tickOf(rows[1]));
  EXPECT_EQ(next(w), rows[1]);
  EXPECT_EQ(list->infoSingleSelectionEntry(), rows[1]);
  mui::user::toggle(tickOf(rows[0]));
  EXPECT_EQ(next(w), rows[0]);
  // B was unticked by the list: that comes back as B's change, counted once.
  EXPECT_EQ(drain(), std::vector<cGuiItem*>{rows[1]});
  EXPECT_EQ(list->infoSingleSelectionEntry(), rows[0]);
  EXPECT_EQ(list->infoSelectionCount(), 1);
  EXPECT_FALSE(rows[1]->getState());
  // The program ticks the row that is ticked already: reported, and counted nothing.
  rows[0]->setState(true);
  EXPECT_EQ(drain(), std::vector<cGuiItem*>{rows[0]});
  EXPECT_EQ(list->infoSelectionCount(), 1);
  mui::user::toggle(tickOf(rows[0]));
  EXPECT_EQ(next(w), rows[0]);
  EXPECT_EQ(list->infoSelectionCount(), 0);
  EXPECT_EQ(list->infoSingleSelectionEntry(), nullptr);
  EXPECT_EQ(notify->calls, (std::vector<cGuiItem*>{rows[1], rows[0], rows[1], rows[0], rows[0]}));
}

}  // namespace
