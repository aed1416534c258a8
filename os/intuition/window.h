// intuition.library's window record, hosted: where an open window is. MUI
// makes one for each window while it is open (MUIA_Window_Window).
#pragma once
#include <cstdint>

struct Screen;

struct Window {
  int16_t LeftEdge, TopEdge;
  int16_t Width, Height;
  const char* Title;
  Screen* WScreen;  // NIL: the default screen
};

// The hosted default screen's size: windows without a place are centred on it.
constexpr int16_t HOSTED_SCREEN_WIDTH = 1024;
constexpr int16_t HOSTED_SCREEN_HEIGHT = 768;
