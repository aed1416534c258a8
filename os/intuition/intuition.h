// intuition.library, hosted: the choice requester, and the gadget, image and
// new-window records that icons carry.
#pragma once
#include <cstddef>
#include <cstdint>

struct Window;  // a window of the hosted display; the requester only needs to know one was given

// A picture in planes: Depth planes of Height rows of ((Width + 15) / 16)
// 16-bit words each, plane after plane. PlanePick says which planes of the
// destination take the data planes (lowest first); the others are filled
// with the matching bit of PlaneOnOff.
struct Image {
  int16_t LeftEdge, TopEdge;
  int16_t Width, Height, Depth;
  uint16_t* ImageData;
  uint8_t PlanePick, PlaneOnOff;
  Image* NextImage;
};

struct Gadget {
  Gadget* NextGadget;
  int16_t LeftEdge, TopEdge, Width, Height;
  uint16_t Flags, Activation, GadgetType;
  void* GadgetRender;  // Image* of the normal state
  void* SelectRender;  // Image* of the selected state, or NIL
  void* GadgetText;
  int32_t MutualExclude;
  void* SpecialInfo;
  uint16_t GadgetID;
  void* UserData;
};

struct NewWindow {
  int16_t LeftEdge, TopEdge, Width, Height;
  uint8_t DetailPen, BlockPen;
  uint32_t IDCMPFlags, Flags;
  Gadget* FirstGadget;
  Image* CheckMark;
  char* Title;
  void* Screen;
  void* BitMap;
  int16_t MinWidth, MinHeight;
  uint16_t MaxWidth, MaxHeight;
  uint16_t Type;
};

struct EasyStruct {
  uint32_t es_StructSize;       // 20, the size of the record on the system
  uint32_t es_Flags;            // 0
  const char* es_Title;         // NIL: "System Request"
  const char* es_TextFormat;    // the body, with placeholders
  const char* es_GadgetFormat;  // the button labels separated by "|", with placeholders
};

// Shows a choice requester and returns the number of the button pressed: 1 for
// the first, 2 for the second, ..., 0 for the last and for the close gadget.
// The body takes its placeholders' values from args, then the button labels
// take theirs from the words left (see os/intuition/format_args.h); no more
// than argCount words are ever read. idcmpPtr is not used. The answer comes
// from the requester queue (os/intuition/requester_answers.h).
int32_t EasyRequestArgs(Window* window, const EasyStruct* easyStruct, uint32_t* idcmpPtr, const intptr_t* args,
                        size_t argCount);
