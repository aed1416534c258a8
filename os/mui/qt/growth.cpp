#include "os/mui/qt/growth.h"

#include "os/mui/classes/rectangle.h"
#include "os/mui/classes/text.h"
#include "os/mui/lists/nlist.h"
#include "os/mui/mui_class.h"
#include "os/mui/object.h"

namespace mui::qt {
namespace {

bool isA(const Object* o, const MuiClass& c) { return o->muiClass->isA(&c); }

// How a group's members together grow: along the group's direction when any
// member does, across it only when every member does.
Growth ofMembers(const Object* group, bool horizontal, bool anyAcross) {
  Growth g;
  bool allWide = true, allTall = true, none = true;
  for (const Object* child : group->children) {
    // A scroll bar is not shown: the display's own scrolls in its place.
    if (isA(child, scrollbarClass)) continue;
    none = false;
    const Growth c = growthOf(child);
    g.wide = g.wide || c.wide;
    g.tall = g.tall || c.tall;
    allWide = allWide && c.wide;
    allTall = allTall && c.tall;
  }
  if (none) return {};
  if (!anyAcross) {
    if (horizontal)
      g.tall = allTall;
    else
      g.wide = allWide;
  }
  return g;
}

Growth ofGroup(const Object* o) {
  if (isA(o, scrollgroupClass) || isA(o, virtgroupClass)) return {true, true};
  if (isA(o, popstringClass)) return {true, false};  // its string grows, its button does not
  const bool pages = o->flag(MUIA_Group_PageMode), grid = o->value(MUIA_Group_Columns) > 1;
  return ofMembers(o, o->flag(MUIA_Group_Horiz), pages || grid);
}

Growth ofRectangle(const Object* o) {
  if (o->flag(MUIA_Rectangle_HBar)) return {true, false};
  if (o->flag(MUIA_Rectangle_VBar)) return {false, true};
  const auto* r = static_cast<const Rectangle*>(o);
  if (r->space == 'H') return {r->spaceSize == 0, false};
  if (r->space == 'V') return {false, r->spaceSize == 0};
  return {true, true};  // a filler
}

Growth ofKind(const Object* o) {
  if (dynamic_cast<const NList*>(o) || isA(o, texteditorClass) || isA(o, floattextClass)) return {true, true};
  const bool clicked = o->value(MUIA_InputMode) == MUIV_InputMode_RelVerify;
  if (isA(o, textClass)) return {!isLabel(o), false};
  if (isA(o, imageClass) || isA(o, dtpicClass) || isA(o, bitmapClass) || isA(o, radioClass) ||
      isA(o, scrollbarClass))
    return {false, false};
  if (isA(o, stringClass) || isA(o, cycleClass) || isA(o, numericClass)) return {true, false};
  if (isA(o, rectangleClass)) return ofRectangle(o);
  if (isA(o, groupClass)) {
    const Growth g = ofGroup(o);
    // A button is as high as its caption, however its inside is made.
    return clicked ? Growth{g.wide, false} : g;
  }
  return {false, false};
}

}  // namespace

bool isLabel(const Object* o) { return isA(o, textClass) && static_cast<const Text*>(o)->isLabel; }

Growth growthOf(const Object* o) {
  if (!isA(o, areaClass)) return {};
  if (o->value(MUIA_Weight) == 0) return {};
  Growth g = ofKind(o);
  if (o->value(MUIA_FixWidth) > 0) g.wide = false;
  if (o->value(MUIA_FixHeight) > 0) g.tall = false;
  return g;
}

}  // namespace mui::qt
