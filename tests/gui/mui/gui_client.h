// The toolkit's client for tests: the application object made and built
// under a title, windows from CreateGuiWindow, and at the end every window,
// the client and the application ended with a check that no MUI object, no
// allocation and no fault of the engine's use is left behind.
#pragma once
#include <gtest/gtest.h>

#include "core/app_object.h"
#include "core/arena.h"
#include "gui/mui/client/gui_app_client.h"
#include "gui/mui/client/gui_module.h"
#include "gui/mui/client/gui_window_host.h"
#include "os/mui/mui_testing.h"

class GuiClientTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ostest::resetMui();
    ostest::setMuiStrict(true);
    liveBefore = Arena::liveCount();
    new_capp();
    new_cgui();
  }
  void TearDown() override {
    end_cgui();
    end_capp();
    EXPECT_EQ(guiAppClient, nullptr);
    EXPECT_EQ(ostest::liveMuiObjects(), 0);
    EXPECT_TRUE(ostest::muiFaults().empty()) << ostest::muiFaults().front();
    EXPECT_EQ(Arena::liveCount(), liveBefore);
    ostest::restoreMuiClasses();
    ostest::setMuiStrict(false);
  }
  // Names and builds the application.
  void buildApp(const char* title = "Test") {
    CreateApp(title);
    appHost->build();
  }
  // A window with a vertical root group holding what describe adds.
  template <class Describe>
  cGuiWindowHost* describedWindow(const char* title, Describe describe) {
    auto* w = static_cast<cGuiWindowHost*>(CreateGuiWindow(title));
    w->beginGroupVertical(nullptr);
    describe(w);
    while (w->infoCurrentBuildGroup()) w->endGroup();
    return w;
  }
  cGuiWindowHost* textWindow(const char* title) {
    return describedWindow(title, [](cGuiWindowHost* w) { w->addText("T"); });
  }
  Object* application() { return guiAppClient->infoApplication(); }

  size_t liveBefore = 0;
};

// The value of an attribute.
inline IPTR attr(Object* object, Tag tag) {
  IPTR value = 0;
  GetAttr(tag, object, &value);
  return value;
}
