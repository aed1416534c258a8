// Popasl.mui: a pop-up whose button opens a file requester. The start hook
// sees the requester's tag list before it opens (and may refuse to open it);
// the stop hook sees the requester after the user chose something. Without a
// stop hook the choice is written into the string.
#include <string>

#include "os/asl/asl.h"
#include "os/mui/classes/popstring.h"
#include "os/mui/faults.h"
#include "os/mui/live_objects.h"

namespace mui {
namespace {
constexpr AttrSpec popaslAttrs[] = {
    {MUIA_Popasl_Type, "MUIA_Popasl_Type", ATTR_IG, AttrKind::Number, ASL_FileRequest},
    {MUIA_Popasl_StartHook, "MUIA_Popasl_StartHook", ATTR_ISG, AttrKind::Borrowed, 0},
    {MUIA_Popasl_StopHook, "MUIA_Popasl_StopHook", ATTR_ISG, AttrKind::Borrowed, 0},
    {MUIA_Popasl_Active, "MUIA_Popasl_Active", ATTR_G, AttrKind::Flag, 0},
};

// Room the start hook has for its tags.
constexpr size_t START_TAGS = 16;

std::string joined(const char* drawer, const char* file) {
  std::string path = drawer ? drawer : "";
  if (file && *file) {
    if (!path.empty() && path.back() != ':' && path.back() != '/') path += '/';
    path += file;
  }
  return path;
}

class Popasl : public Popstring {
 protected:
  bool dispatch(const IPTR* message, IPTR* result) override {
    if (static_cast<uint32_t>(message[0]) != MUIM_Popstring_Open) return Popstring::dispatch(message, result);
    *result = open();
    return true;
  }

 private:
  void setActive(bool on) { store(*muiClass->findAttr(MUIA_Popasl_Active), on); }

  IPTR open() {
    if (flag(MUIA_Disabled) || flag(MUIA_Popasl_Active)) return 0;
    if (value(MUIA_Popasl_Type) != ASL_FileRequest) {
      fault("%s: only file requesters can pop up", label().c_str());
      return 0;
    }
    const uint32_t me = serial;
    TagItem tags[START_TAGS] = {};  // all TAG_DONE
    setActive(true);
    Hook* start = reinterpret_cast<Hook*>(value(MUIA_Popasl_StartHook));
    if (start && !CallHookPkt(start, this, tags)) {
      if (isLive(this, me)) setActive(false);
      return 0;
    }
    if (!isLive(this, me)) return 0;  // the hook closed the window
    void* requester = AllocAslRequest(ASL_FileRequest, tags);
    IPTR chosen = 0;
    try {
      chosen = requester && AslRequest(requester, nullptr) ? 1 : 0;
      if (chosen) {
        if (Hook* stop = reinterpret_cast<Hook*>(value(MUIA_Popasl_StopHook))) {
          CallHookPkt(stop, this, requester);
        } else {
          const FileRequester* fr = static_cast<const FileRequester*>(requester);
          const std::string path = joined(fr->fr_Drawer, fr->fr_File);
          set(MUIA_String_Contents, reinterpret_cast<IPTR>(path.c_str()), SET_NOTIFY);
        }
      }
    } catch (...) {
      FreeAslRequest(requester);
      if (isLive(this, me)) setActive(false);
      throw;
    }
    FreeAslRequest(requester);
    if (isLive(this, me)) setActive(false);
    return chosen;
  }
};
}  // namespace

const MuiClass popaslClass = makeClass("Popasl.mui", "Popasl", &popstringClass, popaslAttrs, NO_METHODS,
                                       []() -> Object* { return new Popasl; });

}  // namespace mui
