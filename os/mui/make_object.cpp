// MUI_MakeObjectA: the ready-made objects (labels, spaces, pop-up buttons).
#include "os/mui/classes/rectangle.h"
#include "os/mui/classes/text.h"
#include "os/mui/faults.h"
#include "os/mui/mui.h"

namespace {
Object* makeSpace(char direction, IPTR size) {
  Object* space = MUI_NewObject("Rectangle.mui", MUIA_InnerLeft, 0, MUIA_InnerRight, 0, MUIA_InnerTop, 0,
                                MUIA_InnerBottom, 0);
  if (space) {
    auto* rectangle = static_cast<mui::Rectangle*>(space);
    rectangle->space = direction;
    rectangle->spaceSize = size;
  }
  return space;
}
}  // namespace

Object* MUI_MakeObjectA(uint32_t kind, const IPTR* params) {
  if (!params) {
    mui::fault("MUI_MakeObjectA without parameters");
    return nullptr;
  }
  switch (kind) {
    case MUIO_Label: {
      Object* label = MUI_NewObject("Text.mui", MUIA_Text_Contents, params[0]);
      if (label) static_cast<mui::Text*>(label)->isLabel = true;
      return label;
    }
    case MUIO_HSpace:
      return makeSpace('H', params[0]);
    case MUIO_VSpace:
      return makeSpace('V', params[0]);
    case MUIO_PopButton:
      return MUI_NewObject("Image.mui", MUIA_Image_Spec, params[0], MUIA_Frame, MUIV_Frame_ImageButton,
                           MUIA_InputMode, MUIV_InputMode_RelVerify, MUIA_Background, MUII_ButtonBack);
    default:
      mui::fault("MUI_MakeObjectA of unknown kind 0x%08x", static_cast<unsigned>(kind));
      return nullptr;
  }
}
