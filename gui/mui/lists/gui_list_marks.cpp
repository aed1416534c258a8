#include "gui/mui/lists/gui_list_marks.h"

#include "core/exception.h"

void markList::add(markNode* node) {
  if (node->next) Throw("BUG", "markList.add(); node already in list");
  if (!head) {
    node->next = node->previous = node;
  } else {
    node->next = head;
    node->previous = head->previous;
    head->previous->next = node;
    head->previous = node;
  }
  head = node;
}

void markList::remove(markNode* node) {
  if (!node->next) Throw("BUG", "markList.remove(); node not in list");
  if (node->next == node) {
    head = nullptr;
  } else {
    node->previous->next = node->next;
    node->next->previous = node->previous;
    if (head == node) head = node->next;
  }
  node->next = node->previous = nullptr;
}

void markList::end_class() {
  while (head) remove(head);
  class_base::end_class();
}
