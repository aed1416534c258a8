#include "gui/mui/client/event_node.h"

#include "core/strings/string.h"

void eventNode::end_class() {
  try {
    DisposeString(droppedPath);
  } catch (...) {
  }
  droppedPath = nullptr;
  class_base::end_class();
}
