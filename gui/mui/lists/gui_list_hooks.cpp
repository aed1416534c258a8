#include "gui/mui/lists/gui_list_hooks.h"

#include "core/exception.h"
#include "gui/mui/lists/gui_list_entry_node.h"
#include "gui/mui/lists/gui_list_host.h"

IPTR guiListConstruct(Hook* hook, void* pool, void* entry) {
  (void)hook, (void)pool;
  return reinterpret_cast<IPTR>(entry);
}

IPTR guiListDestruct(Hook* hook, void* pool, void* entry) {
  (void)hook, (void)pool;
  try {
    auto* node = static_cast<entryNode*>(entry);
    if (node && node->host)
      node->host->endRemovedEntry(node);
    else
      End(node);
  } catch (const Exception& e) {
    PrintException(e);
  }
  return 0;
}

Hook guiListConstructHook = {nullptr, nullptr, guiListConstruct, nullptr, nullptr};
Hook guiListDestructHook = {nullptr, nullptr, guiListDestruct, nullptr, nullptr};
