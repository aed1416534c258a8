// eventNode: one queued GUI event: the item that changed (NIL for a window
// event: a close request, a dropped path, the quit request) and its window,
// linked into the application client's first-in first-out queue.
#pragma once

#include "core/class_base.h"

class cGuiItem;
class cGuiWindow;

class eventNode : public class_base {
  LUDEX_CLASS(eventNode, class_base)
 public:
  virtual eventNode* new_eventNode(cGuiItem* changedItem, cGuiWindow* ofWindow) {
    item = changedItem;
    window = ofWindow;
    return this;
  }
  // Disposes the dropped path; an error meanwhile is dropped.
  void end_class() override;

  cGuiItem* item = nullptr;
  cGuiWindow* window = nullptr;
  bool closeRequest = false;
  char* droppedPath = nullptr;  // owned
  bool lastOfDrop = false;      // the path is the last of its drop (one desktop message)
  eventNode* older = nullptr;
  eventNode* newer = nullptr;
};
