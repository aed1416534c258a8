// The key button: its MUI objects, Return shown bold, and its change reported
// only when it is released.
#include "app/items/gui_key_button.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/items/ludex_amiga.h"
#include "gui/mui/client/gui_action_hook.h"
#include "os/mui/driver/item_finder.h"
#include "os/mui/driver/user_driver.h"
#include "tests/gui/mui/gui_client.h"
#include "tests/gui/mui/host_window.h"
#include "tests/support/expect_error.h"

namespace {

std::vector<std::vector<IPTR>> hookCalls;
IPTR recordHook(Hook*, void*, void* message) {
  const IPTR* words = static_cast<const IPTR*>(message);
  hookCalls.push_back({words[0], words[1]});
  return 0;
}

class KeyButton : public HostWindowTest {
 protected:
  void SetUp() override {
    HostWindowTest::SetUp();
    new_ludex_amiga();
    hook_.h_Entry = recordHook;
    setGuiActionHook(&hook_);
    hookCalls.clear();
  }
  void TearDown() override {
    setGuiActionHook(nullptr);
    end_ludex_amiga();
    HostWindowTest::TearDown();
  }
  Hook hook_{};
};

TEST_F(KeyButton, ReturnIsTheNewlineKeyAndShowsItsLabelBold) {
  window->beginGroupHorizontal(nullptr);
  struct Case {
    const char* label;
    char key;
    IPTR control;
    const char* shown;
  } cases[] = {
      {"OK", '\n', '\r', "\x1b" "bOK"},
      {"Again", '\r', '\r', "\x1b" "bAgain"},
      {"Skip", 's', 's', "Skip"},
      {nullptr, 'c', 'c', ""},
  };
  std::vector<cGuiKeyButton*> buttons;
  for (const Case& c : cases) buttons.push_back(addKeyButton(window, c.label, c.key));
  window->endGroup();
  EXPECT_EQ(buildAndDump(),
            "Group(H)[Group(V,frame=button)[Group(H)[Text \"\" Label \"\\ebOK\" Text \"\"]] "
            "Group(V,frame=button)[Group(H)[Text \"\" Label \"\\ebAgain\" Text \"\"]] "
            "Group(V,frame=button)[Group(H)[Text \"\" Label \"Skip\" Text \"\"]] "
            "Group(V,frame=button)[Group(H)[Text \"\" Label \"\" Text \"\"]]]");
  for (size_t i = 0; i < buttons.size(); ++i) {
    Object* button = buttons[i]->infoObject();
    EXPECT_EQ(attr(button, MUIA_ControlChar), cases[i].control) << i;
    EXPECT_EQ(attr(button, MUIA_InputMode), MUIV_InputMode_RelVerify) << i;
    EXPECT_STREQ(reinterpret_cast<const char*>(attr(buttons[i]->infoLabel(), MUIA_Text_Contents)), cases[i].shown)
        << i;
    cGuiShared* record = sharedOf(buttons[i]);
    EXPECT_FALSE(record->infoIsFixedWidth());
    EXPECT_TRUE(record->infoIsFixedHeight());
    EXPECT_TRUE(record->infoUseInCycleChain());
  }
}

TEST_F(KeyButton, AChangeIsReportedWhenTheButtonIsReleased) {
  window->beginGroupHorizontal(nullptr);
  cGuiKeyButton* ok = addKeyButton(window, "OK", '\n');
  window->endGroup();
  window->build(true);
  Object* button = ok->infoObject();
  SetAttrs(button, MUIA_Pressed, 1);
  EXPECT_TRUE(hookCalls.empty());  // held down: nothing yet
  SetAttrs(button, MUIA_Pressed, 0);
  ASSERT_EQ(hookCalls.size(), 1u);
  EXPECT_EQ(hookCalls[0], (std::vector<IPTR>{toIPTR(ok), toIPTR(window)}));
  // A click is a press and a release: one more report.
  EXPECT_EQ(DoMethod(button, MUIM_Click), 1u);
  EXPECT_EQ(hookCalls.size(), 2u);
}

TEST_F(KeyButton, AKeyButtonIsAddedOnlyInsideAGroup) {
  expectError("EPU", "addKeyButton(); must be done inside a group", [&] { addKeyButton(window, "OK", '\n'); });
  expectError("EPU", "addKeyButton(); must be done inside a group", [&] { addKeyButton(nullptr, "OK", '\n'); });
}

// In an open window of the application: the user presses the button that
// the driver finds by its caption, and the program receives it as a change of
// the key button.
class KeyButtonInApplication : public GuiClientTest {};

TEST_F(KeyButtonInApplication, ThePressedButtonIsTheChangedItem) {
  new_ludex_amiga();
  buildApp();
  cGuiKeyButton* ok = nullptr;
  cGuiWindowHost* dialog = describedWindow("Edit game", [&](cGuiWindowHost* w) {
    w->beginGroupHorizontal(nullptr);
    ok = addKeyButton(w, "OK", '\n');
    w->addButton("Cancel");
  });
  dialog->build(false);
  auto* windowObject = static_cast<Object*>(dialog->queryExtra(MakeId("OBJT")));
  Object* shown = mui::findItem(windowObject, mui::ItemKind::Button, "OK");
  EXPECT_EQ(shown, ok->infoObject());
  mui::user::press(shown);
  cGuiWindow* from = nullptr;
  EXPECT_EQ(guiAppClient->waitForChangedGuiItem(&from), ok);
  EXPECT_EQ(from, dialog);
  DestroyGuiWindow(dialog);
  end_ludex_amiga();
}

}  // namespace
