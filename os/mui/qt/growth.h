// Which objects take the room a window has beyond what its contents ask for,
// by MUI's rules rather than Qt's defaults:
//
// - strings, texts, buttons, cycles and sliders grow in width only; check
//   marks, radio buttons, labels, images and pictures do not grow at all;
//   lists, text editors, floating texts, scroll groups and plain rectangles
//   grow both ways (bars and spaces only along themselves);
// - a button grows in width when what it shows does (a caption between
//   fillers does, a caption alone does not);
// - a row grows in width when any member does and in height only when every
//   member does; a column the other way round; pages and grids grow where
//   any member does;
// - weight 0 (the least space) and a fixed width or height stop growth.
#pragma once

struct Object;

namespace mui::qt {

struct Growth {
  bool wide = false;  // takes extra width
  bool tall = false;  // takes extra height
};

Growth growthOf(const Object* object);

// A label (a Text made by MUI_MakeObjectA): it never grows, but fills the
// cell of its column so that its text stays aligned against its object.
bool isLabel(const Object* object);

}  // namespace mui::qt
