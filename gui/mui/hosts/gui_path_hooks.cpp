#include "gui/mui/hosts/gui_path_hooks.h"

#include <cstring>

#include "core/exception.h"
#include "core/strings/string.h"
#include "files/dos/strings.h"
#include "gui/mui/client/gui_action_hook.h"
#include "gui/mui/hosts/gui_path_string_host.h"

namespace {

cGuiPathStringHost* itemOf(Object* popasl) {
  auto* item = reinterpret_cast<cGuiPathStringHost*>(muiGet(popasl, MUIA_UserData));
  if (!item) Throw("BUG", "guiPath; the pop-up has no item");
  return item;
}

// Appends one tag before the list's end mark, refusing past the room there is.
void appendTag(TagItem* tags, Tag tag, IPTR data) {
  int32_t used = 0;
  while (tags[used].ti_Tag != TAG_DONE) ++used;
  if (used >= GUI_PATH_START_TAGS) Throw("BUG", "guiPathStart(); taglist too large");
  tags[used] = {tag, data};
  tags[used + 1] = {TAG_DONE, 0};
}

// Runs a hook's body; an error is printed and the hook answers failure.
template <class Body>
IPTR guarded(Body body) {
  try {
    return body();
  } catch (const Exception& e) {
    PrintException(e);
    return 0;
  }
}

IPTR startEntry(Hook* hook, void* object, void* message) {
  return guarded([&] { return guiPathStart(hook, static_cast<Object*>(object), static_cast<TagItem*>(message)); });
}

IPTR stopEntry(Hook* hook, void* object, void* message) {
  return guarded(
      [&] { return guiPathStop(hook, static_cast<Object*>(object), static_cast<FileRequester*>(message)); });
}

Hook startHook = {nullptr, nullptr, startEntry, nullptr, nullptr};
Hook stopHook = {nullptr, nullptr, stopEntry, nullptr, nullptr};

}  // namespace

Hook* infoGuiPathStartHook() { return &startHook; }
Hook* infoGuiPathStopHook() { return &stopHook; }

IPTR guiPathStart(Hook* hook, Object* popasl, TagItem* tags) {
  (void)hook;
  cGuiPathStringHost* item = itemOf(popasl);
  const char* text = getPopaslString(popasl);
  if (!text) text = "";
  const bool foldersOnly = item->infoOnlyShowFolders();
  char* drawer = nullptr;
  char* file = nullptr;
  if (foldersOnly) {
    if (*text) drawer = StrClone(text);
  } else {
    const char* filePart = FilePart(text);
    file = StrClone(filePart);
    int32_t drawerLength = static_cast<int32_t>(filePart - text);
    if (drawerLength > 0 && text[drawerLength - 1] == '/') --drawerLength;
    if (drawerLength > 0) drawer = StrCopy(NewString(drawerLength), text, drawerLength);
  }
  // The requester reads the texts after the hook returns: the item keeps them.
  item->keepRequesterStart(drawer, file);

  appendTag(tags, ASLFR_TitleText, toIPTR(foldersOnly ? "Select Drawer" : "Select File"));
  appendTag(tags, ASLFR_InitialShowVolumes, drawer ? 0 : 1);
  if (drawer) appendTag(tags, ASLFR_InitialDrawer, toIPTR(drawer));
  if (!foldersOnly) appendTag(tags, ASLFR_InitialFile, toIPTR(file));
  appendTag(tags, ASLFR_DoPatterns, 0);
  appendTag(tags, ASLFR_Flags1, item->infoUseSaveMode() ? FRF_DOSAVEMODE : 0);
  appendTag(tags, ASLFR_Flags2,
            (foldersOnly ? FRF_DRAWERSONLY : 0) | (item->infoShowSystemFiles() ? 0 : FRF_REJECTICONS));
  return 1;
}

IPTR guiPathStop(Hook* hook, Object* popasl, FileRequester* requester) {
  (void)hook;
  cGuiPathStringHost* item = itemOf(popasl);
  item->forgetRequesterStart();
  const char* drawer = requester->fr_Drawer ? requester->fr_Drawer : "";
  const char* file = requester->fr_File ? requester->fr_File : "";
  char* text = nullptr;
  if (item->infoOnlyShowFolders()) {
    text = StrClone(drawer);
  } else {
    text = StrCopy(NewString(static_cast<int32_t>(std::strlen(drawer) + 1 + std::strlen(file))), drawer);
    strAddPart(text, file);
  }
  try {
    setPopaslString(popasl, text);
    // A choice in the requester is a change of the field, as if typed.
    Object* string = reinterpret_cast<Object*>(muiGet(popasl, MUIA_Popstring_String));
    DoMethod(string, MUIM_CallHook, infoGuiActionHook(), item, item->infoShared()->window);
  } catch (...) {
    DisposeString(text);
    throw;
  }
  DisposeString(text);
  return 0;
}
