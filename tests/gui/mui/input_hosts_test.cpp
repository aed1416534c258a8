// The input items as MUI objects: what each builds in a column and in a row,
// state before and after the build, the change notifications and the events
// the program's own changes cause, the number field's clamping, picture
// buttons, the path field's conversions and requester hooks, and the string box.
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "gui/mui/gui_host_conventions.h"
#include "gui/mui/hosts/gui_button_host.h"
#include "gui/mui/hosts/gui_number_string_host.h"
#include "gui/mui/hosts/gui_path_hooks.h"
#include "gui/mui/hosts/gui_path_string_host.h"
#include "gui/mui/hosts/gui_string_box_host.h"
#include "os/asl/asl.h"
#include "tests/gui/mui/action_recorder.h"
#include "tests/gui/mui/host_window.h"
#include "tests/support/dos_sandbox.h"
#include "tests/support/expect_error.h"

namespace {

const char* const colours[] = {"Red", "Green", "Blue", nullptr};

class InputHosts : public HostWindowTest {
 protected:
  static Object* objectOf(cGuiItem* item) { return sharedOf(item)->object; }
  // The string inside a path field's pop-up.
  static Object* fieldOf(cGuiItem* item) {
    return reinterpret_cast<Object*>(muiGet(objectOf(item), MUIA_Popstring_String));
  }
  ActionRecorder actions;
};

TEST_F(InputHosts, EveryInputItemInAColumnAndInARow) {
  DosSandbox box;
  box.writeFile("pics/play.png", "x");
  const auto column = [](cGuiWindowHost* w) {
    w->beginGroupVertical(nullptr);
    w->addButton("Play")->initPic("Sandbox:/pics/play.png");
    w->addButton("Stop");
    w->addButton("Go")->initUseLeastSpace();
    w->addTick("Ticked")->setState(true);
    w->addTick("");
    w->addCycleChoice("Colour", colours)->setState(1)->initUseLeastSpace();
    w->addRadioChoice("Radio", colours)->setState(2);
    w->addSlider("Volume", 0, 10)->initUnit("dB")->setState(3);
    w->addNumberString("Count", 1, 99)->initUnit("x")->setState(5);
    w->addString("Name")->setState("Fred");
    w->addPathString("Path")->setState("DH0:/Games/x.adf");
    w->addPathString("Dir")->initOnlyShowFolders();
    w->addStringBox("Notes")->initFixedFont()->setState("a\nb");
  };
  EXPECT_EQ(treeOf(column),
            "Group(V)["
            "Group(V,frame=button)[Group(H)[Dtpic \"Sandbox:pics/play.png\" Label \"Play\" Text \"\"]] "
            "Group(V,frame=button)[Group(H)[Text \"\" Label \"Stop\" Text \"\"]] "
            "Group(V,frame=button)[Label \"Go\"] "
            "Group(cols=2)[Label \"Ticked\" Group(H)[CheckMark(on) HSpace] Label \"\" Group(H)[CheckMark(off) HSpace] "
            "Label \"Colour\" Cycle(weight=0) \"Green\" Label \"Radio\" Group(H)[Radio \"Blue\" HSpace] "
            "Label \"Volume\" Group(H)[Slider(0..10) \"3\" Label \"dB\"] Label \"Count\" Group(H)[String \"5\" Label \"x\"] "
            "Label \"Name\" String \"Fred\" Label \"Path\" Popasl[String \"DH0:Games/x.adf\" PopButton(file)] "
            "Label \"Dir\" Popasl[String \"\" PopButton(drawer)] "
            "Group(V)[Label \"Notes\" VSpace] Group(H)[TextEditor(fixedtext,fixedfont) \"a\\nb\" Scrollbar]]]");
  const auto row = [](cGuiWindowHost* w) {
    w->beginGroupHorizontal(nullptr);
    w->addTick("");
    w->addTick("T");
    w->addRadioChoice("Radio", colours)->setGhosted(true);
    w->addButton("Stop")->setGhosted(true);
    w->addSlider("S", 0, 1)->initUseLeastSpace();
  };
  EXPECT_EQ(treeOf(row),
            "Group(H)[CheckMark(off) Label \"T\" CheckMark(off) Label \"Radio\" Radio(disabled) \"Red\" "
            "Group(V,frame=button,disabled)[Group(H,disabled)[Text(disabled) \"\" Label(disabled) \"Stop\" "
            "Text(disabled) \"\"]] Label \"S\" Slider(0..1,weight=0) \"0\"]");
}

TEST_F(InputHosts, PictureButtonsAndMissingPictures) {
  DosSandbox box;
  box.writeFile("pics/play.png", "x");
  window->beginGroupHorizontal(nullptr);
  auto* picture = static_cast<cGuiButtonHost*>(window->addButton("Play")->initPic("Sandbox:/pics/play.png"));
  auto* missing = static_cast<cGuiButtonHost*>(window->addButton("Gone")->initPic("Sandbox:/pics/gone.png"));
  auto* invalid = static_cast<cGuiButtonHost*>(window->addButton("Bad")->initPic("Sandbox:pics/play.png"));
  window->endGroup();
  window->build(true);
  EXPECT_STREQ(picture->infoSystemPic(), "Sandbox:pics/play.png");
  ASSERT_NE(picture->infoImageObject(), nullptr);
  // A missing picture, or a path no file can have, makes a text button for good.
  for (cGuiButtonHost* b : {missing, invalid}) {
    EXPECT_EQ(b->infoPic(), nullptr) << b->infoLabel();
    EXPECT_EQ(b->infoSystemPic(), nullptr);
    EXPECT_EQ(b->infoImageObject(), nullptr);
  }
  // Ghosting a picture button stops the state at the button, so the picture is not greyed.
  picture->setGhosted(true);
  EXPECT_EQ(muiGet(objectOf(picture), MUIA_Group_Forward), 0);
  EXPECT_EQ(muiGet(objectOf(picture), MUIA_Disabled), 1);
  EXPECT_EQ(muiGet(picture->infoImageObject(), MUIA_Disabled), 0);
  missing->setGhosted(true)->setPopupHint("Stops");
  EXPECT_EQ(muiGet(objectOf(missing), MUIA_Group_Forward), 1);
  EXPECT_STREQ(reinterpret_cast<const char*>(muiGet(objectOf(missing), MUIA_ShortHelp)), "Stops");
}

// A number item's state, range and object attribute, before and after the build.
struct NumberCase {
  const char* name;
  std::function<cGuiNumberItem*(cGuiWindowHost*)> add;
  Tag attribute;
  int32_t start, valid, later, refused;
  const char* message;
};

TEST_F(InputHosts, NumberItemsKeepTheirStateAndRangeBeforeAndAfterTheBuild) {
  const NumberCase cases[] = {
      {"cycle", [](cGuiWindowHost* w) { return w->addCycleChoice("C", colours); }, MUIA_Cycle_Active, 0, 2, 1, 3,
       "cGuiCycleChoice.setState(); choice outside of min/max range"},
      {"radio", [](cGuiWindowHost* w) { return w->addRadioChoice("R", colours); }, MUIA_Radio_Active, 0, 1, 2, -1,
       "cGuiRadioChoice.setState(); choice outside of min/max range"},
      {"slider", [](cGuiWindowHost* w) { return w->addSlider("S", 5, 10); }, MUIA_Numeric_Value, 5, 7, 10, 11,
       "cGuiSlider.setState(); number outside of min/max range"},
      {"number string", [](cGuiWindowHost* w) { return w->addNumberString("N", -5, 10); }, MUIA_String_Integer, 0,
       -5, 9, 11, "cGuiNumberString.setState(); number outside of min/max range"},
  };
  for (const NumberCase& c : cases) {
    cGuiWindowHost* w = newHostWindow();
    w->beginGroupVertical(nullptr);
    cGuiNumberItem* item = c.add(w);
    w->endGroup();
    EXPECT_EQ(item->getState(), c.start) << c.name;
    item->setState(c.valid);
    expectError("EMU", c.message, [&] { item->setState(c.refused); });
    EXPECT_EQ(item->getState(), c.valid) << c.name;
    w->build(true);
    Object* object = objectOf(item);
    EXPECT_EQ(static_cast<int32_t>(muiGet(object, c.attribute)), c.valid) << c.name;
    item->setState(c.later);
    EXPECT_EQ(static_cast<int32_t>(muiGet(object, c.attribute)), c.later) << c.name;
    expectError("EMU", c.message, [&] { item->setState(c.refused); });
    EXPECT_EQ(item->getState(), c.later) << c.name;
    // The user's change is what the item answers.
    SetAttrs(object, c.attribute, c.valid);
    EXPECT_EQ(item->getState(), c.valid) << c.name;
    End(w);
  }
}

TEST_F(InputHosts, NotificationsCallTheActionHookWithItemAndWindow) {
  window->beginGroupVertical(nullptr);
  cGuiButton* button = window->addButton("B");
  cGuiTick* tick = window->addTick("T");
  cGuiCycleChoice* cycle = window->addCycleChoice("C", colours);
  cGuiRadioChoice* radio = window->addRadioChoice("R", colours);
  cGuiSlider* slider = window->addSlider("S", 0, 9);
  cGuiNumberString* number = window->addNumberString("N", 0, 9);
  cGuiString* string = window->addString("Str");
  cGuiPathString* path = window->addPathString("P");
  cGuiStringBox* notes = window->addStringBox("Box");
  window->endGroup();
  window->build(true);
  struct {
    cGuiItem* item;
    Object* object;
    Tag attribute;
    IPTR value;
    bool mapped;  // leaving the field reports it
  } cases[] = {
      {tick, objectOf(tick), MUIA_Selected, 1, false},
      {cycle, objectOf(cycle), MUIA_Cycle_Active, 2, false},
      {radio, objectOf(radio), MUIA_Radio_Active, 1, false},
      {slider, objectOf(slider), MUIA_Numeric_Value, 4, false},
      {number, objectOf(number), MUIA_String_Acknowledge, toIPTR("4"), true},
      {string, objectOf(string), MUIA_String_Acknowledge, toIPTR("x"), true},
      {path, fieldOf(path), MUIA_String_Acknowledge, toIPTR("x"), false},
      {notes, objectOf(notes), MUIA_TextEditor_HasChanged, 1, true},
  };
  for (auto& c : cases) {
    SetAttrs(c.object, c.attribute, c.value);
    const std::vector<ActionRecorder::Call> expected = {{c.item, window}};
    EXPECT_EQ(actions.take(), expected) << c.item->InfoClassType();
    EXPECT_EQ(window->infoItemOfObject(objectOf(c.item)), c.mapped ? c.item : nullptr) << c.item->InfoClassType();
  }
  // A button reports its release, not its press.
  SetAttrs(objectOf(button), MUIA_Pressed, 1);
  EXPECT_TRUE(actions.take().empty());
  SetAttrs(objectOf(button), MUIA_Pressed, 0);
  EXPECT_EQ(actions.take(), (std::vector<ActionRecorder::Call>{{button, window}}));
  // The string box fires on a change only.
  SetAttrs(objectOf(notes), MUIA_TextEditor_HasChanged, 0);
  EXPECT_TRUE(actions.take().empty());
}

TEST_F(InputHosts, TheProgramsChangesOfFieldsAreReportedWhenTheyChangeSomething) {
  window->beginGroupVertical(nullptr);
  cGuiString* string = window->addString("S")->setState("same");
  cGuiNumberString* number = window->addNumberString("N", 0, 99)->setState(7);
  cGuiPathString* path = window->addPathString("P")->setState("DH0:/a");
  cGuiStringBox* notes = window->addStringBox("B")->setState("text");
  window->endGroup();
  window->build(true);
  const std::vector<ActionRecorder::Call> none;
  string->setState("same");
  number->setState(7);
  path->setState("DH0:/a");
  EXPECT_EQ(actions.take(), none);
  string->setState("other");
  number->setState(8);
  path->setState("DH0:/b/");
  EXPECT_EQ(actions.take(), (std::vector<ActionRecorder::Call>{{string, window}, {number, window}, {path, window}}));
  EXPECT_STREQ(string->getState(), "other");
  EXPECT_STREQ(getPopaslString(objectOf(path)), "DH0:b");
  // The string box reports every text set, the same one too.
  notes->setState("text");
  EXPECT_EQ(actions.take(), (std::vector<ActionRecorder::Call>{{notes, window}}));
  // A text past 255 characters is cut to them.
  const std::string longText(300, 'x');
  string->setState(longText.c_str());
  EXPECT_EQ(std::string(string->getState()), longText.substr(0, 255));
}

TEST_F(InputHosts, SanitiseBringsATypedNumberIntoRange) {
  struct {
    int32_t min, max;
    const char* typed;
    int32_t after;
    size_t events;  // a clamped number acknowledges the field once more
  } cases[] = {
      {5, 10, "3", 5, 1},
      {5, 10, "12", 10, 1},
      {5, 10, "-7", 5, 1},
      {5, 10, "8", 8, 0},
      // No number lies between the bounds: left as typed, and nothing raised.
      {10, 5, "7", 7, 0},
      {10, 5, "99", 99, 0},
  };
  for (auto& c : cases) {
    cGuiWindowHost* w = newHostWindow();
    w->beginGroupVertical(nullptr);
    auto* number = static_cast<cGuiNumberStringHost*>(w->addNumberString("N", c.min, c.max));
    w->endGroup();
    w->build(true);
    SetAttrs(objectOf(number), MUIA_String_Contents, c.typed);
    number->sanitise();
    EXPECT_EQ(number->getState(), c.after) << c.typed;
    EXPECT_EQ(actions.take().size(), c.events) << c.typed;
    End(w);
  }
}

TEST_F(InputHosts, PathFieldShowsTheSystemFormAndAnswersTheProgramsForm) {
  DosSandbox box;
  box.makeDir("games");
  window->beginGroupVertical(nullptr);
  cGuiPathString* path = window->addPathString("P")->setState("Sandbox:/games/x.adf");
  window->endGroup();
  EXPECT_STREQ(path->getState(), "Sandbox:/games/x.adf");
  expectError("EMU", "cGuiPathString.setState(); invalid path supplied", [&] { path->setState("DH0:a"); });
  window->build(true);
  EXPECT_STREQ(getPopaslString(objectOf(path)), "Sandbox:games/x.adf");
  struct {
    const char* shown;
    const char* state;
  } cases[] = {
      {"Sandbox:games", "Sandbox:/games/"},  // an existing folder
      {"Sandbox:games/x.adf", "Sandbox:/games/x.adf"},
      {"Nowhere:", "Nowhere:/"},  // a bare device, mounted or not
      {"Nowhere:x", "Nowhere:/x"},
      {"", ""},
  };
  for (auto& c : cases) {
    setPopaslString(objectOf(path), c.shown);
    EXPECT_STREQ(path->getState(), c.state) << c.shown;
  }
  expectError("EMU", "cGuiPathString.setState(); invalid path supplied", [&] { path->setState("DH0:a"); });
  EXPECT_STREQ(getPopaslString(objectOf(path)), "");
  path->setState(nullptr);
  EXPECT_STREQ(path->getState(), "");
}

// The tags of a list as "name=value" words.
std::string tagsText(const TagItem* tags) {
  std::string out;
  for (; tags->ti_Tag != TAG_DONE; ++tags) {
    const TagItem& t = *tags;
    std::string value;
    switch (t.ti_Tag) {
      case ASLFR_TitleText: out += "title="; value = reinterpret_cast<const char*>(t.ti_Data); break;
      case ASLFR_InitialDrawer: out += "drawer="; value = reinterpret_cast<const char*>(t.ti_Data); break;
      case ASLFR_InitialFile: out += "file="; value = reinterpret_cast<const char*>(t.ti_Data); break;
      case ASLFR_InitialShowVolumes: out += "volumes="; value = std::to_string(t.ti_Data); break;
      case ASLFR_DoPatterns: out += "patterns="; value = std::to_string(t.ti_Data); break;
      case ASLFR_Flags1: out += "flags1="; value = std::to_string(t.ti_Data); break;
      case ASLFR_Flags2: out += "flags2="; value = std::to_string(t.ti_Data); break;
      default: out += "tag" + std::to_string(t.ti_Tag) + "="; value = std::to_string(t.ti_Data);
    }
    out += "'" + value + "' ";
  }
  return out;
}

TEST_F(InputHosts, TheRequesterStartsFromTheFieldsDrawerAndFile) {
  struct {
    const char* shown;
    std::function<void(cGuiPathString*)> options;
    const char* tags;
  } cases[] = {
      {"DH0:Games/x.adf", [](cGuiPathString*) {},
       "title='Select File' volumes='0' drawer='DH0:Games' file='x.adf' patterns='0' flags1='0' flags2='4' "},
      {"DH0:x.adf", [](cGuiPathString* p) { p->initUseSaveMode()->initShowSystemFiles(); },
       "title='Select File' volumes='0' drawer='DH0:' file='x.adf' patterns='0' flags1='32' flags2='0' "},
      {"x.adf", [](cGuiPathString*) {},
       "title='Select File' volumes='1' file='x.adf' patterns='0' flags1='0' flags2='4' "},
      {"", [](cGuiPathString*) {}, "title='Select File' volumes='1' file='' patterns='0' flags1='0' flags2='4' "},
      {"", [](cGuiPathString* p) { p->initOnlyShowFolders(); },
       "title='Select Drawer' volumes='1' patterns='0' flags1='0' flags2='5' "},
      {"Work:Games", [](cGuiPathString* p) { p->initOnlyShowFolders(); },
       "title='Select Drawer' volumes='0' drawer='Work:Games' patterns='0' flags1='0' flags2='5' "},
  };
  for (auto& c : cases) {
    cGuiWindowHost* w = newHostWindow();
    w->beginGroupVertical(nullptr);
    cGuiPathString* path = w->addPathString("P");
    c.options(path);
    w->endGroup();
    w->build(true);
    setPopaslString(objectOf(path), c.shown);
    // The list as the pop-up hands it over: room for 16 items, all ends.
    TagItem tags[16] = {};
    EXPECT_EQ(CallHookPkt(infoGuiPathStartHook(), objectOf(path), tags), 1);
    EXPECT_EQ(tagsText(tags), c.tags) << c.shown;
    End(w);
  }
}

TEST_F(InputHosts, AStartTagListWithoutRoomRaisesAndStaysEnded) {
  window->beginGroupVertical(nullptr);
  cGuiPathString* path = window->addPathString("P");
  window->endGroup();
  window->build(true);
  TagItem tags[16] = {};
  for (int i = 0; i < 10; ++i) tags[i] = {TAG_USER + i, i};
  expectError("BUG", "guiPathStart(); taglist too large",
              [&] { guiPathStart(infoGuiPathStartHook(), objectOf(path), tags); });
  EXPECT_EQ(tags[GUI_PATH_START_TAGS].ti_Tag, TAG_DONE);
  EXPECT_NE(tags[GUI_PATH_START_TAGS - 1].ti_Tag, TAG_DONE);
  // Through the hook the error is printed and the requester stays shut.
  for (int i = 0; i < 16; ++i) tags[i] = i < 10 ? TagItem{TAG_USER + i, i} : TagItem{TAG_DONE, 0};
  testing::internal::CaptureStdout();
  EXPECT_EQ(CallHookPkt(infoGuiPathStartHook(), objectOf(path), tags), 0);
  EXPECT_NE(testing::internal::GetCapturedStdout().find("guiPathStart(); taglist too large"), std::string::npos);
}

TEST_F(InputHosts, TheRequestersChoiceFillsTheFieldAndIsReported) {
  window->beginGroupVertical(nullptr);
  cGuiPathString* file = window->addPathString("F");
  cGuiPathString* folder = window->addPathString("D")->initOnlyShowFolders();
  window->endGroup();
  window->build(true);
  char drawer[] = "Work:Games", name[] = "x.adf";
  FileRequester chosen = {name, drawer, 0, nullptr, nullptr};
  EXPECT_EQ(CallHookPkt(infoGuiPathStopHook(), objectOf(file), &chosen), 0);
  EXPECT_EQ(CallHookPkt(infoGuiPathStopHook(), objectOf(folder), &chosen), 0);
  EXPECT_EQ(actions.take(), (std::vector<ActionRecorder::Call>{{file, window}, {folder, window}}));
  EXPECT_STREQ(file->getState(), "Work:/Games/x.adf");
  EXPECT_STREQ(getPopaslString(objectOf(folder)), "Work:Games");
  char device[] = "Work:";
  chosen.fr_Drawer = device;
  CallHookPkt(infoGuiPathStopHook(), objectOf(file), &chosen);
  EXPECT_STREQ(getPopaslString(objectOf(file)), "Work:x.adf");
}

TEST_F(InputHosts, StringBoxExportsPlainTextAndRearmsItsChange) {
  window->beginGroupVertical(nullptr)->initScrollable();
  cGuiStringBox* notes = window->addStringBox("B")->setState("\x1b" "bBold\nline");
  window->endGroup();
  EXPECT_STREQ(notes->getState(), "\x1b" "bBold\nline");
  window->build(true);
  Object* editor = objectOf(notes);
  EXPECT_EQ(muiGet(editor, MUIA_TextEditor_InVirtualGroup), 1);
  EXPECT_NE(muiGet(editor, MUIA_TextEditor_Slider), 0);
  EXPECT_STREQ(notes->getState(), "Bold\nline");
  notes->setState("new");
  EXPECT_EQ(actions.take().size(), 1u);
  EXPECT_EQ(muiGet(editor, MUIA_TextEditor_HasChanged), 1);
  // Delivering the change clears the mark, so the next edit fires again.
  notes->notifyStateHasChanged();
  EXPECT_EQ(muiGet(editor, MUIA_TextEditor_HasChanged), 0);
  SetAttrs(editor, MUIA_TextEditor_HasChanged, 1);
  EXPECT_EQ(actions.take().size(), 1u);
  EXPECT_STREQ(notes->getState(), "new");
}

TEST_F(InputHosts, AMissingTextEditorIsExplainedAndTheWindowIsNotMade) {
  window->beginGroupVertical(nullptr);
  cGuiStringBox* notes = window->addStringBox("B")->setState("kept");
  window->endGroup();
  ostest::markMuiClassMissing("TextEditor.mcc");
  testing::internal::CaptureStdout();
  expectError("ERR", "cGuiWindow.build(); failed to create GUI", [&] { window->build(true); });
  EXPECT_EQ(testing::internal::GetCapturedStdout(), missingTextEditorMessage);
  EXPECT_EQ(ostest::liveMuiObjects(), 0);
  EXPECT_STREQ(notes->getState(), "kept");
}

}  // namespace
