// Dtpic.mui: a picture loaded by its path. A picture that cannot be read
// shows nothing (the object is made all the same).
#include "os/dos/dos.h"
#include "os/mui/classes/area.h"

namespace mui {
namespace {
constexpr AttrSpec dtpicAttrs[] = {
    {MUIA_Dtpic_Name, "MUIA_Dtpic_Name", ATTR_ISG, AttrKind::Text, 0},
};

bool readable(const char* path) {
  if (!path || !*path) return false;
  BPTR file = Open(path, MODE_OLDFILE);
  if (!file) return false;
  Close(file);
  return true;
}

class Dtpic : public Area {
 protected:
  bool finishCreate() override {
    shown_ = readable(text(MUIA_Dtpic_Name));
    return true;
  }
  void afterSet(Tag tag, IPTR) override {
    if (tag == MUIA_Dtpic_Name) shown_ = readable(text(MUIA_Dtpic_Name));
  }
  void describeState(Description& out) const override {
    if (!shown_) out.prop("empty");
    out.show(text(MUIA_Dtpic_Name));
  }

 private:
  bool shown_ = false;
};
}  // namespace

const MuiClass dtpicClass =
    makeClass("Dtpic.mui", "Dtpic", &areaClass, dtpicAttrs, NO_METHODS, []() -> Object* { return new Dtpic; });

}  // namespace mui
