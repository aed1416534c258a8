#include "gui/mui/lists/gui_list_entry_node.h"

#include <cstring>

#include "core/arena.h"
#include "core/exception.h"
#include "core/strings/string.h"
#include "gui/mui/lists/gui_list_host.h"

namespace {
// MUI's text pen 8: the alternative colour.
constexpr const char* ALT_COLOUR_PREFIX = "\x1b" "8";
}  // namespace

char** parseIntoColumns(const char* text, int32_t columns, char** array, const char* prefix) {
  const size_t prefixLength = prefix ? std::strlen(prefix) : 0;
  // One block: the array, then each column's text with its end.
  size_t bytes = sizeof(char*) * static_cast<size_t>(columns);
  const char* at = text;
  for (int32_t i = 0; i < columns; ++i) {
    const char* tab = at ? std::strchr(at, '\t') : nullptr;
    bytes += (at ? prefixLength + (tab ? static_cast<size_t>(tab - at) : std::strlen(at)) : 0) + 1;
    at = tab ? tab + 1 : nullptr;
  }
  auto** made = static_cast<char**>(Arena::alloc(bytes));
  char* out = reinterpret_cast<char*>(made + columns);
  at = text;
  for (int32_t i = 0; i < columns; ++i) {
    made[i] = out;
    if (at) {
      const char* tab = std::strchr(at, '\t');
      const size_t length = tab ? static_cast<size_t>(tab - at) : std::strlen(at);
      if (prefixLength) out = static_cast<char*>(std::memcpy(out, prefix, prefixLength)) + prefixLength;
      out = static_cast<char*>(std::memcpy(out, at, length)) + length;
      at = tab ? tab + 1 : nullptr;
    }
    *out++ = '\0';  // the block comes zero-filled; this keeps the walk plain
  }
  Arena::release(array);
  return made;
}

entryNode* entryNode::new_entryNode(char* text, cGuiListHost* owner, bool alt, bool mark, int32_t value,
                                    class_base* box) {
  host = owner;
  columnCount = owner->infoColumns();
  dataBox = box;
  data = box ? 0 : value;
  if (mark) setMarked(true);
  change(text ? text : NewString(0), alt);
  makeTie();  // while the label and the box are at hand
  return this;
}

void entryNode::end_class() {
  if (marked && host && host->infoMarks()) host->infoMarks()->remove(this);
  marked = false;
  Arena::release(columns);
  columns = nullptr;
  DisposeString(label);
  label = nullptr;
  End(dataBox);
  markNode::end_class();
}

void entryNode::setMarked(bool flag) {
  if (flag == marked) return;
  if (flag)
    host->infoMarks()->add(this);
  else
    host->infoMarks()->remove(this);
  marked = flag;
}

void entryNode::change(char* text, bool alt) {
  // Text may be NIL, meaning the label itself.
  Arena::release(columns);
  columns = nullptr;
  sortKeyStamp = 0;
  if (text) {
    char* old = label;
    label = text;
    DisposeString(old);
    forgetTie();  // an entry without data stands for its label
  }
  altColour = alt;
}

void entryNode::makeTieNow() {
  bool whole = false;
  tie = identityWordOf(label, data, dataBox, &whole);
  tieWhole = whole;
}

char** entryNode::columnTexts() {
  if (!columns) columns = parseIntoColumns(label, columnCount, nullptr, altColour ? ALT_COLOUR_PREFIX : nullptr);
  return columns;
}

void entryNode::changeLabel(const char* text) { change(StrClone(text), altColour); }

char* entryNode::takeLabel() {
  char* taken = label;
  label = NewString(0);
  forgetTie();
  return taken;
}

entryNode* appendRing(entryNode* first, entryNode* other) {
  if (!first) return other;
  if (!other) return first;
  entryNode* last = first->batchPrevious;
  entryNode* otherLast = other->batchPrevious;
  last->batchNext = other;
  other->batchPrevious = last;
  otherLast->batchNext = first;
  first->batchPrevious = otherLast;
  return first;
}

void entryList::prependNodes(entryNode* first) {
  if (!first || !first->batchNext) Throw("BUG", "entryList.prependNodes(); nodes not linked");
  head = appendRing(static_cast<entryNode*>(head), first);
}

entryNode* entryList::takeAll() {
  auto* first = static_cast<entryNode*>(head);
  head = nullptr;
  return first;
}

void endEntryRing(entryNode* first) {
  if (!first) return;
  // Cut the ring open, then end the entries one by one.
  first->batchPrevious->batchNext = nullptr;
  for (entryNode* e = first; e;) {
    entryNode* next = e->batchNext;
    e->batchNext = e->batchPrevious = e;
    End(e);
    e = next;
  }
}

void entryList::end_class() {
  endEntryRing(takeAll());
  markList::end_class();
}
