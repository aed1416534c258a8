#include "gui/mui/lists/gui_list_hooks.h"

#include "core/arena.h"
#include "core/exception.h"
#include "core/strings/string.h"
#include "gui/mui/lists/gui_list_entry_node.h"
#include "gui/mui/lists/gui_list_host.h"

IPTR guiListConstruct(Hook* hook, void* pool, void* entry) {
  (void)hook, (void)pool;
  return reinterpret_cast<IPTR>(entry);
}

IPTR guiListDestruct(Hook* hook, void* pool, void* entry) {
  (void)pool;
  try {
    auto* node = static_cast<entryNode*>(entry);
    // The host from the hook: a removal of thousands of rows then reads
    // nothing of each entry beyond what the merge read already.
    auto* host = static_cast<cGuiListHost*>(hook ? hook->h_Data : nullptr);
    if (node && !host) host = node->host;
    if (node && host)
      host->endRemovedEntry(node);
    else
      End(node);
  } catch (const Exception& e) {
    PrintException(e);
  }
  return 0;
}

IPTR guiListFetch(Hook* hook, void* object, void* entry) {
  (void)hook, (void)object;
  // What a merge or a removal reads of a shown entry beyond the entry
  // itself: the label's text and the box's first bytes.
  if (const auto* node = static_cast<const entryNode*>(entry)) {
    FetchStringAhead(node->label);
    if (node->dataBox) Arena::fetchAhead(node->dataBox);
  }
  return 0;
}

Hook guiListConstructHook = {nullptr, nullptr, guiListConstruct, nullptr, nullptr};
Hook guiListFetchHook = {nullptr, nullptr, guiListFetch, nullptr, nullptr};
