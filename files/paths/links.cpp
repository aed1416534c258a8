#include "files/paths/path_operations.h"

#include "core/clean_up.h"
#include "core/exception.h"
#include "core/strings/string.h"
#include "files/dos/links.h"
#include "files/paths/extra_ids.h"
#include "files/syntax/path_syntax.h"

char* ReadLink(const char* path, int32_t* extraId) {
  if (extraId) *extraId = 0;
  if (!path) Throw("EPU", "cPath; ReadLink(); path=NIL");
  char* host = ExportPath(path);
  int32_t kind = LINK_KIND_NONE;
  char* target = nullptr;
  WithCleanUp(
      [&] {
        // A target stored relative to the link's folder comes back absolute.
        target = NamesDirectory(path) ? getDirLink(host, &kind) : getFileLink(host, &kind);
      },
      [&] { DisposeString(host); });
  if (target && extraId) {
    *extraId = kind == LINK_KIND_SOFT ? EXTRA_SLNK : kind == LINK_KIND_HARD ? EXTRA_HLNK : EXTRA_LINK;
  }
  return target;
}

bool CreateLink(const char* link, const char* target, int32_t extraId, bool* badId) {
  if (badId) *badId = false;
  if (!link) Throw("EPU", "cPath; CreateLink(); link=NIL");
  if (!target) Throw("EPU", "cPath; CreateLink(); target=NIL");
  if (extraId != EXTRA_HLNK && extraId != EXTRA_SLNK) {
    if (badId) *badId = true;
    return false;
  }
  char* hostLink = ExportPath(link);
  char* hostTarget = nullptr;
  bool made = false;
  WithCleanUp(
      [&] {
        hostTarget = ExportPath(target);
        made = easyMakeLink(hostLink, hostTarget, extraId == EXTRA_SLNK);
      },
      [&] {
        DisposeString(hostLink);
        DisposeString(hostTarget);
      });
  return made;
}
