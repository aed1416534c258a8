#include "os/intuition/screens.h"

#include <strings.h>

#include <vector>

namespace {

constexpr int16_t SCREEN_WIDTH = 640;
constexpr int16_t SCREEN_HEIGHT = 512;

struct ScreenState {
  Screen screen{};
  BitMap bitmap{};
  std::vector<uint32_t> pixels;
  bool open = false;
  int32_t locks = 0;
  int32_t beeps = 0;
  bool failNextLock = false;
};

ScreenState& state() {
  static ScreenState s;
  return s;
}

// The screen lives as long as the program; its bitmap is not one of the
// bitmaps AllocBitMap hands out.
Screen* defaultScreen() {
  ScreenState& s = state();
  if (!s.open) {
    s.pixels.assign(size_t(SCREEN_WIDTH) * SCREEN_HEIGHT, PEN0_ARGB);
    s.bitmap = BitMap{SCREEN_WIDTH, SCREEN_HEIGHT, 32, BMF_DISPLAYABLE | BMF_SPECIALFMT | SHIFT_PIXFMT(PIXFMT_ARGB32),
                      s.pixels.data()};
    s.screen.Width = SCREEN_WIDTH;
    s.screen.Height = SCREEN_HEIGHT;
    s.screen.Title = "Workbench Screen";
    s.screen.Font = DefaultFont();
    InitRastPort(&s.screen.RastPort);
    s.screen.RastPort.BitMap = &s.bitmap;
    s.open = true;
  }
  return &s.screen;
}

}  // namespace

Screen* LockPubScreen(const char* name) {
  ScreenState& s = state();
  if (s.failNextLock) {
    s.failNextLock = false;
    return nullptr;
  }
  if (name && strcasecmp(name, "Workbench") != 0) return nullptr;
  ++s.locks;
  return defaultScreen();
}

void UnlockPubScreen(const char*, Screen* screen) {
  if (screen && screen == &state().screen && state().locks > 0) --state().locks;
}

void DisplayBeep(Screen*) { ++state().beeps; }

void ostest::failNextLockPubScreen() { state().failNextLock = true; }
int32_t ostest::pubScreenLocks() { return state().locks; }
int32_t ostest::displayBeeps() { return state().beeps; }
