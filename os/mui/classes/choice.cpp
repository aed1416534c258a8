// Cycle.mui and Radio.mui: one of a list of texts is active. The entries are
// the caller's NIL-ended array (borrowed); the active entry is kept within them.
#include "os/mui/classes/area.h"

namespace mui {
namespace {
constexpr AttrSpec cycleAttrs[] = {
    {MUIA_Cycle_Entries, "MUIA_Cycle_Entries", ATTR_IG, AttrKind::Borrowed, 0},
    {MUIA_Cycle_Active, "MUIA_Cycle_Active", ATTR_ISG, AttrKind::Number, 0},
};
constexpr AttrSpec radioAttrs[] = {
    {MUIA_Radio_Entries, "MUIA_Radio_Entries", ATTR_IG, AttrKind::Borrowed, 0},
    {MUIA_Radio_Active, "MUIA_Radio_Active", ATTR_ISG, AttrKind::Number, 0},
};

class Choice : public Area {
 public:
  Choice(Tag entries, Tag active) : entriesTag_(entries), activeTag_(active) {}

 protected:
  bool finishCreate() override {
    store(*muiClass->findAttr(activeTag_), clamped(value(activeTag_)));
    return true;
  }
  bool filterSet(Tag tag, IPTR& data) override {
    if (tag == activeTag_) data = clamped(data);
    return true;
  }
  void describeState(Description& out) const override {
    const char* const* entries = reinterpret_cast<const char* const*>(value(entriesTag_));
    if (count() > 0) out.show(entries[value(activeTag_)]);
  }

 private:
  Tag entriesTag_, activeTag_;
  IPTR count() const {
    const char* const* entries = reinterpret_cast<const char* const*>(value(entriesTag_));
    IPTR n = 0;
    while (entries && entries[n]) ++n;
    return n;
  }
  IPTR clamped(IPTR active) const {
    const IPTR last = count() - 1;
    return active > last ? (last < 0 ? 0 : last) : active < 0 ? 0 : active;
  }
};
}  // namespace

const MuiClass cycleClass = makeClass("Cycle.mui", "Cycle", &areaClass, cycleAttrs, NO_METHODS, []() -> Object* {
  return new Choice(MUIA_Cycle_Entries, MUIA_Cycle_Active);
});
const MuiClass radioClass = makeClass("Radio.mui", "Radio", &areaClass, radioAttrs, NO_METHODS, []() -> Object* {
  return new Choice(MUIA_Radio_Entries, MUIA_Radio_Active);
});

}  // namespace mui
