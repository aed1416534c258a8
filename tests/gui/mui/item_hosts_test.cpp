// The display items and native items as MUI objects: labels, texts and text
// boxes in their groups, popup hints, native items and their notifications,
// the object-to-item map and the refusal of unknown method ids.
#include <functional>
#include <string>
#include <vector>

#include "core/exception.h"
#include "gui/mui/client/gui_action_hook.h"
#include "gui/mui/gui_shared.h"
#include "gui/mui/hosts/gui_bar_host.h"
#include "gui/mui/hosts/gui_break_host.h"
#include "gui/mui/hosts/gui_label_host.h"
#include "gui/mui/hosts/gui_native_host.h"
#include "gui/mui/hosts/gui_native_simple_host.h"
#include "gui/mui/hosts/gui_text_box_host.h"
#include "gui/mui/hosts/gui_text_host.h"
#include "tests/gui/mui/host_window.h"
#include "tests/support/expect_error.h"

namespace {

class ItemHosts : public HostWindowTest {};

IPTR attr(Object* object, Tag tag) {
  IPTR value = 0;
  GetAttr(tag, object, &value);
  return value;
}

struct LabelCase {
  const char* name;
  bool inRow;
  std::function<void(cGuiLabel*)> options;
  const char* text;
  const char* dump;
};

TEST_F(ItemHosts, LabelsInTheirGroups) {
  const LabelCase cases[] = {
      {"centred in a column", false, [](cGuiLabel*) {}, "Name", "Group(V)[Group(H)[HSpace Text \"\\ecName\" HSpace]]"},
      {"left in a column", false, [](cGuiLabel* l) { l->initAlignLeft(); }, "Name",
       "Group(V)[Group(H)[Text \"\\elName\" HSpace]]"},
      {"right in a column", false, [](cGuiLabel* l) { l->initAlignRight(); }, "Name",
       "Group(V)[Group(H)[HSpace Text \"\\erName\"]]"},
      {"in a row", true, [](cGuiLabel* l) { l->initAlignRight(); }, "Name", "Group(H)[Text \"\\erName\"]"},
      {"least space", false, [](cGuiLabel* l) { l->initUseLeastSpace(); }, "Name", "Group(V)[Text \"\\ecName\"]"},
      {"alternative colour", true, [](cGuiLabel* l) { l->initAltColour(); }, "Name",
       "Group(H)[Text \"\\ec\\e8Name\"]"},
      {"empty", false, [](cGuiLabel*) {}, "", "Group(V)[HSpace]"},
  };
  for (const LabelCase& c : cases) {
    cGuiLabel* label = nullptr;
    const std::string dump = treeOf([&](cGuiWindowHost* w) {
      if (c.inRow) w->beginGroupHorizontal(nullptr); else w->beginGroupVertical(nullptr);
      label = w->addLabel(c.text);
      c.options(label);
    });
    EXPECT_EQ(dump, c.dump) << c.name;
  }
  // An empty label keeps no object.
  window->beginGroupVertical(nullptr);
  cGuiLabel* empty = window->addLabel("");
  window->endGroup();
  window->build(true);
  EXPECT_EQ(sharedOf(empty)->object, nullptr);
  EXPECT_EQ(sharedOf(empty)->labelObject, nullptr);
}

TEST_F(ItemHosts, TextShowsItsFirstLineWithItsAlignment) {
  window->beginGroupHorizontal(nullptr);
  cGuiText* centred = window->addText("C")->initAlignCenter()->setState("first\nsecond");
  cGuiText* fixed = window->addText("F")->initFixedFont()->initUseLeastSpace()->initAlignRight()->setState("r");
  cGuiTextBox* box = window->addTextBox("B")->initFixedFont()->setState("one\ntwo");
  window->endGroup();
  EXPECT_STREQ(centred->getState(), "first\nsecond");
  EXPECT_EQ(buildAndDump(),
            "Group(H)[Label \"C\" Text \"\\ecfirst\" Label \"F\" Text(fixedfont,weight=0) \"\\err\" "
            "Group(V)[Label \"B\" VSpace] Floattext(fixedfont) \"one\\ntwo\"]");
  // Read back as shown; handed back, the alignment code is doubled.
  EXPECT_STREQ(centred->getState(), "\x1b" "cfirst");
  centred->setState(centred->getState());
  EXPECT_STREQ(centred->getState(), "\x1b" "c\x1b" "cfirst");
  fixed->setState("x\ny");
  EXPECT_STREQ(fixed->getState(), "\x1brx");
  box->setState("three");
  EXPECT_STREQ(box->getState(), "three");
  EXPECT_EQ(ostest::dumpMuiTree(sharedOf(box)->object), "Floattext(fixedfont) \"three\"");
}

TEST_F(ItemHosts, PopupHintsReachLabelAndObject) {
  window->beginGroupVertical(nullptr);
  cGuiText* before = window->addText("A")->setPopupHint("early");
  cGuiText* after = window->addText("B");
  cGuiLabel* label = window->addLabel("L")->setPopupHint("on label");
  window->endGroup();
  window->build(true);
  for (Object* o : {sharedOf(before)->labelObject, sharedOf(before)->object})
    EXPECT_STREQ(reinterpret_cast<const char*>(attr(o, MUIA_ShortHelp)), "early");
  EXPECT_STREQ(reinterpret_cast<const char*>(attr(sharedOf(label)->object, MUIA_ShortHelp)), "on label");
  after->setPopupHint("late");
  const char* held = after->getPopupHint();
  after->setPopupHint(held);  // its own hint is kept, not copied again
  EXPECT_EQ(after->getPopupHint(), held);
  for (Object* o : {sharedOf(after)->labelObject, sharedOf(after)->object})
    EXPECT_STREQ(reinterpret_cast<const char*>(attr(o, MUIA_ShortHelp)), "late");
}

// Records the words the action hook is called with.
std::vector<std::vector<IPTR>> hookCalls;
IPTR recordHook(Hook*, void*, void* message) {
  const IPTR* words = static_cast<const IPTR*>(message);
  hookCalls.push_back({words[0], words[1]});
  return 0;
}

TEST_F(ItemHosts, NativeSimpleItemsNotifyOnlyWithAttributeAndTrigger) {
  Hook hook{};
  hook.h_Entry = recordHook;
  setGuiActionHook(&hook);
  hookCalls.clear();
  struct Case {
    const char* name;
    std::vector<intptr_t> tail;  // the values after the object
    bool notifies;
    bool fixed;
  } cases[] = {
      {"object only", {}, false, true},
      {"trigger without attribute", {0, 1}, false, true},
      {"attribute with the no-trigger value", {static_cast<intptr_t>(MUIA_Selected), MUIV_NotTriggerValue}, false, true},
      {"attribute and trigger", {static_cast<intptr_t>(MUIA_Selected), 1, 0, 0, 0, 0}, true, false},
  };
  window->beginGroupVertical(nullptr);
  std::vector<cGuiNativeSimple*> items;
  std::vector<Object*> objects;
  for (const Case& c : cases) {
    Object* object = MUI_NewObject("Rectangle.mui");
    std::vector<intptr_t> values = {toIPTR(object)};
    values.insert(values.end(), c.tail.begin(), c.tail.end());
    items.push_back(window->addNativeSimpleL(values.data(), static_cast<int32_t>(values.size())));
    objects.push_back(object);
  }
  window->endGroup();
  ostest::recordMuiCalls(true);
  window->build(true);
  for (size_t i = 0; i < items.size(); ++i) {
    bool notified = false;
    for (const std::string& line : ostest::muiCallsOf(objects[i]))
      if (line.find("MUIM_Notify") != std::string::npos) notified = true;
    EXPECT_EQ(notified, cases[i].notifies) << cases[i].name;
    cGuiShared* record = sharedOf(items[i]);
    EXPECT_EQ(record->infoIsFixedWidth(), cases[i].fixed) << cases[i].name;
    EXPECT_EQ(record->infoIsFixedHeight(), cases[i].fixed) << cases[i].name;
    EXPECT_EQ(record->infoUseInCycleChain(), cases[i].fixed) << cases[i].name;
    items[i]->setState(1);
  }
  // Only the notifying item called the hook, with itself and its window.
  ASSERT_EQ(hookCalls.size(), 1u);
  EXPECT_EQ(hookCalls[0], (std::vector<IPTR>{toIPTR(items[3]), toIPTR(window)}));
  EXPECT_EQ(items[3]->getState(), 1);
  setGuiActionHook(nullptr);
  expectError("EMU", "cGuiWindow.addNativeSimple(); params needs at least 2 parameters",
              [&] { window->makeNativeSimple()->newL(nullptr, 0); });
}

// An application's own item: a labelled string of its own making.
class ownStringItem : public cGuiNativeHost {
  LUDEX_CLASS(ownStringItem, cGuiNativeHost)
 public:
  cGuiChildList* build(Object** object, Object** labelObject) override {
    *labelObject = MUI_MakeObject(MUIO_Label, "Own", 0);
    *object = MUI_NewObject("String.mui", MUIA_String_Contents, "x");
    inColumn = infoGroupIsOfClassType("cGuiGroupVertical");
    return cGuiChildList::labelled(*labelObject, *object);
  }
  void setupNotify(Object* object, Hook* hook, const IPTR* params) override {
    notifiedObject = object;
    notifyHook = hook;
    notifyItem = params[0];
  }
  bool infoIsFixedHeight() override { return false; }
  bool inColumn = false;
  Object* notifiedObject = nullptr;
  Hook* notifyHook = nullptr;
  IPTR notifyItem = 0;
};

TEST_F(ItemHosts, NativeItemsMakeTheirOwnObjects) {
  Hook hook{};
  setGuiActionHook(&hook);
  window->beginGroupVertical(nullptr);
  auto* own = new ownStringItem;
  own->initShared();
  window->addNative(own);
  window->endGroup();
  EXPECT_EQ(buildAndDump(), "Group(V)[Group(cols=2)[Label \"Own\" String \"x\"]]");
  EXPECT_TRUE(own->inColumn);
  EXPECT_EQ(own->notifiedObject, own->infoObject());
  EXPECT_EQ(own->notifyHook, &hook);
  EXPECT_EQ(own->notifyItem, toIPTR(own));
  EXPECT_NE(own->infoLabel(), nullptr);
  EXPECT_FALSE(sharedOf(own)->infoIsFixedHeight());
  setGuiActionHook(nullptr);
}

TEST_F(ItemHosts, ObjectToItemMapIsKeyedByThePointer) {
  window->beginGroupVertical(nullptr);
  cGuiText* text = window->addText("T");
  cGuiLabel* label = window->addLabel("L");
  window->endGroup();
  window->build(true);
  EXPECT_EQ(window->infoItemOfObject(sharedOf(text)->object), text);
  EXPECT_EQ(window->infoItemOfObject(sharedOf(label)->object), nullptr);  // not entered
  // Two keys alike in their low 32 bits stay apart.
  auto* low = reinterpret_cast<Object*>(static_cast<uintptr_t>(0x1000) | (uintptr_t{1} << 40));
  auto* high = reinterpret_cast<Object*>(static_cast<uintptr_t>(0x1000) | (uintptr_t{2} << 40));
  window->mapObjectToItem(low, text);
  window->mapObjectToItem(high, label);
  EXPECT_EQ(window->infoItemOfObject(low), text);
  EXPECT_EQ(window->infoItemOfObject(high), label);
}

TEST_F(ItemHosts, UnknownMethodIdsRaiseBugWithTheModelsName) {
  window->beginGroupVertical(nullptr);
  const std::vector<std::pair<cGuiItem*, const char*>> cases = {
      {window->infoRootGroup(), "cGuiGroupVertical"},
      {window->addBreak(), "cGuiBreak"},
      {window->addBar(nullptr), "cGuiBar"},
      {window->addLabel("l"), "cGuiLabel"},
      {window->addText("t"), "cGuiText"},
      {window->addTextBox("b"), "cGuiTextBox"},
      {window->addNativeSimple(nullptr, 0, 0, nullptr, true, true, true), "cGuiNativeSimple"},
  };
  for (const auto& [item, model] : cases)
    expectError("BUG", (std::string(model) + ".shared(); unknown method id").c_str(),
                [&] { item->shared_cGuiItem(99, nullptr, 0); });
  expectError("BUG", "cGuiGroupVerticalHost.shared(); params=NILL",
              [&] { window->infoRootGroup()->shared_cGuiItem(GUI_SHARED_BUILD, nullptr, 0); });
  window->endGroup();
}

}  // namespace
