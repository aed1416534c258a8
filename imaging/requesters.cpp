#include "imaging/requesters.h"

#include "core/strings/string.h"
#include "files/dos/path_parts.h"
#include "os/asl/asl.h"
#include "os/dos/dos.h"
#include "os/gadtools/gadtools.h"
#include "platform/system_libraries.h"

TagItem textRequesterStringTags[2];
TagItem textRequesterButtonTags[2];

namespace {

// requestChoice's argument list when the caller gives none.
const intptr_t noArguments[1] = {0};

bool openedAsl = false;
bool openedGadTools = false;

constexpr intptr_t TAG_TRUE = 1;
constexpr intptr_t TAG_FALSE = 0;

intptr_t tagText(const char* s) { return reinterpret_cast<intptr_t>(s); }

int32_t textLength(const char* s) {
  int32_t n = 0;
  while (s[n]) ++n;
  return n;
}

// The chain of full paths of a multiple selection, in the requester's order.
char* selectedPaths(const FileRequester* request) {
  char* first = nullptr;
  char* last = nullptr;
  try {
    for (int32_t i = 0; i < request->fr_NumArgs; ++i) {
      const WBArg& arg = request->fr_ArgList[i];
      char* path = fullPath(arg.wa_Lock, arg.wa_Name);
      if (!path) continue;
      if (last) StrLink(last, path);
      else first = path;
      last = path;
    }
  } catch (...) {
    DisposeString(first);
    throw;
  }
  return first;
}

// The drawer joined with the file name by AmigaDOS rules.
char* drawerAndFile(const char* drawer, const char* file) {
  char* path = NewString(textLength(drawer) + textLength(file) + 1);
  StrCopy(path, drawer);
  AddPart(path, file, static_cast<uint32_t>(StrMax(path) + 1));
  UpdateStrLen(path);
  return path;
}

}  // namespace

int32_t requestChoice(const char* title, const char* body, const char* buttons, std::span<const intptr_t> args,
                      Window* window) {
  EasyStruct easy{20, 0, title, body, buttons};
  if (args.empty()) args = noArguments;
  return EasyRequestArgs(window, &easy, nullptr, args.data(), args.size());
}

int32_t requestChoice2(const char* title, const char* body, const char* buttons, std::span<const intptr_t> args) {
  return requestChoice(title, body, buttons, args, nullptr);
}

char* requestFile(const char* drawer, const char* file, const char* pattern, const char* title, uint32_t flags,
                  const TagItem* moreTags) {
  TagItem tags[10];
  int n = 0;
  tags[n++] = {ASLFR_TitleText, tagText(title ? title : "Select File")};
  tags[n++] = {ASLFR_InitialShowVolumes, drawer ? TAG_FALSE : TAG_TRUE};
  if (drawer) tags[n++] = {ASLFR_InitialDrawer, tagText(drawer)};
  if (file) tags[n++] = {ASLFR_InitialFile, tagText(file)};
  if (pattern) tags[n++] = {ASLFR_InitialPattern, tagText(pattern)};
  tags[n++] = {ASLFR_DoPatterns, pattern ? TAG_TRUE : TAG_FALSE};
  tags[n++] = {ASLFR_Flags1, static_cast<intptr_t>(flags & (FRF_DOSAVEMODE | FRF_DOMULTISELECT))};
  tags[n++] = {ASLFR_Flags2, static_cast<intptr_t>(flags & (FRF_DRAWERSONLY | FRF_REJECTICONS))};
  tags[n++] = moreTags ? TagItem{TAG_MORE, reinterpret_cast<intptr_t>(moreTags)} : TagItem{TAG_DONE, 0};

  auto* request = static_cast<FileRequester*>(AllocAslRequest(ASL_FileRequest, tags));
  if (!request) return nullptr;
  char* result = nullptr;
  try {
    if (AslRequest(request, nullptr)) {
      if (request->fr_NumArgs > 0)
        result = selectedPaths(request);
      else if (request->fr_File && request->fr_File[0])
        result = drawerAndFile(request->fr_Drawer ? request->fr_Drawer : "", request->fr_File);
      else
        result = StrClone(request->fr_Drawer);
    }
  } catch (...) {
    DisposeString(result);
    FreeAslRequest(request);
    throw;
  }
  FreeAslRequest(request);
  return result;
}

void new_pamiga_requesters() {
  textRequesterStringTags[0] = {GT_Underscore, '_'};
  textRequesterStringTags[1] = {TAG_DONE, 0};
  textRequesterButtonTags[0] = {GT_Underscore, '_'};
  textRequesterButtonTags[1] = {TAG_DONE, 0};
  if (!AslBase) {
    AslBase = OpenRequiredLibrary("asl.library", 39);
    openedAsl = true;
  }
  if (!GadToolsBase) {
    GadToolsBase = OpenRequiredLibrary("gadtools.library", 39);
    openedGadTools = true;
  }
}

void end_pamiga_requesters() {
  if (openedAsl) {
    CloseLibrary(AslBase);
    AslBase = nullptr;
    openedAsl = false;
  }
  if (openedGadTools) {
    CloseLibrary(GadToolsBase);
    GadToolsBase = nullptr;
    openedGadTools = false;
  }
}
