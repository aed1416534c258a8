// MUI host windows for tests: the engine reset and strict, and every window
// ended at the end with a check that no MUI object outlives it.
#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "core/exception.h"
#include "gui/mui/client/gui_window_host.h"
#include "os/mui/mui_testing.h"

inline cGuiWindowHost* newHostWindow() {
  auto* window = new cGuiWindowHost;
  window->new_cGuiWindow("Test");
  return window;
}

class HostWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ostest::resetMui();
    ostest::setMuiStrict(true);
    window = newHostWindow();
  }
  void TearDown() override {
    End(window);
    EXPECT_EQ(ostest::liveMuiObjects(), 0);
    EXPECT_TRUE(ostest::muiFaults().empty());
    ostest::restoreMuiClasses();
    ostest::setMuiStrict(false);
  }
  // Builds the window and dumps its object tree.
  std::string buildAndDump() {
    window->build(true);
    return ostest::dumpMuiTree(window->infoRootObject());
  }
  // The dump of a window described by describe (its open groups closed),
  // built and ended at once; the error's message when one is raised.
  static std::string treeOf(const std::function<void(cGuiWindowHost*)>& describe) {
    cGuiWindowHost* w = newHostWindow();
    std::string dump;
    try {
      describe(w);
      while (w->infoCurrentBuildGroup()) w->endGroup();
      w->build(true);
      dump = ostest::dumpMuiTree(w->infoRootObject());
    } catch (const Exception& e) {
      dump = std::string("raised ") + (e.message() ? e.message() : "");
    }
    End(w);
    return dump;
  }
  cGuiWindowHost* window = nullptr;
};
