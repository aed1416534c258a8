// workbench.library's application messages, hosted: what the desktop sends a
// program when icons or files are dropped on one of its application windows.
// Each argument is a lock on the drawer the object lies in and its name there
// (a drawer dropped alone: a lock on the drawer itself and an empty name).
#pragma once
#include <cstdint>

#include "os/asl/asl.h"  // WBArg

constexpr uint16_t AMTYPE_APPWINDOW = 7;
constexpr uint16_t AMTYPE_APPICON = 8;
constexpr uint16_t AMTYPE_APPMENUITEM = 9;

struct AppMessage {
  uint16_t am_Type;     // AMTYPE_...
  uint32_t am_ID;       // the application window's id
  int32_t am_NumArgs;   // entries in am_ArgList
  WBArg* am_ArgList;
};
