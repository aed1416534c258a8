// Cloning a list view: a mirror that then takes a private copy of its nodes.
// Shared by the mini lists and the mega lists, whose clone() is the same two
// steps on their own types.
#pragma once
#include "core/class_base.h"

// list->mirror(), then isolateFromSharing() on the mirror; the mirror is ended
// when the copy fails.
template <class List>
auto CloneByMirror(List* list) -> decltype(list->mirror()) {
  auto* copy = list->mirror();
  try {
    copy->isolateFromSharing();
  } catch (...) {
    End(copy);
    throw;
  }
  return copy;
}
