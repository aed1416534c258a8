#include "gui/mui/gui_group_build.h"

#include <cstring>
#include <vector>

#include "core/exception.h"
#include "gui/groups/gui_group_grid.h"
#include "gui/mui/gui_shared.h"

namespace {

enum class GroupKind { Grid, Horizontal, Vertical, Page, Unknown };

GroupKind kindOf(const cGuiItem* group) {
  const char* name = group->InfoClassType();
  if (std::strcmp(name, "cGuiGroupGridHost") == 0) return GroupKind::Grid;
  if (std::strcmp(name, "cGuiGroupHorizontalHost") == 0) return GroupKind::Horizontal;
  if (std::strcmp(name, "cGuiGroupVerticalHost") == 0) return GroupKind::Vertical;
  if (std::strcmp(name, "cGuiGroupPageHost") == 0) return GroupKind::Page;
  return GroupKind::Unknown;
}

bool isExactly(const cGuiItem* item, const char* className) {
  return std::strcmp(item->InfoClassType(), className) == 0;
}

cGuiShared* recordOf(cGuiItem* item) {
  cGuiShared* record = sharedOf(item);
  if (!record) ThrowF("BUG", "buildGroup(); item \"%s\" has no native record", item->InfoClassType());
  return record;
}

int32_t gridColumns(cGuiGroupItem* group) {
  const int32_t columns = static_cast<cGuiGroupGrid*>(group)->infoWidth();
  if (columns < 1) Throw("BUG", "buildGroup(); a grid needs at least one column");
  return columns;
}

// An invisible rectangle that takes the room of a missing item.
Object* makeFiller() {
  return MUI_NewObject("Rectangle.mui", MUIA_InnerLeft, 0, MUIA_InnerRight, 0, MUIA_InnerTop, 0, MUIA_InnerBottom,
                       0);
}

// Disposes the objects that the chain's lists still hold, for a build that
// stops before they were placed.
void disposeChainObjects(itemNode_cgui* head) {
  for (itemNode_cgui* n = head; n; n = n->next)
    if (n->list) n->list->disposeObjects();
}

// The lists of the chain joined into one tag list; expected is the number of
// values they should hold together.
std::vector<TagItem> joinChain(itemNode_cgui* head, int32_t expected, const char* mismatch) {
  std::vector<TagItem> tags;
  int32_t values = 0;
  for (itemNode_cgui* n = head; n; n = n->next) {
    if (!n->list) continue;
    values += n->list->infoLength();
    for (size_t i = 0; i + 1 < n->list->values.size(); i += 2)
      tags.push_back({static_cast<Tag>(n->list->values[i]), n->list->values[i + 1]});
  }
  if (values != expected) Throw("BUG", mismatch);
  tags.push_back({TAG_DONE, 0});
  return tags;
}

}  // namespace

bool infoGroupHasFixedWidth(cGuiGroupItem* group) {
  const GroupKind kind = kindOf(group);
  if (kind == GroupKind::Unknown) Throw("BUG", "cGui; infoGroupHasFixedWidth(); unknown group type");
  // Items per row: all of them, one, or the grid's columns.
  const int32_t rowLength = kind == GroupKind::Horizontal ? group->infoSize()
                            : kind == GroupKind::Grid     ? gridColumns(group)
                                                          : 1;
  bool rowFixed = true;
  int32_t k = 0;
  for (cGuiItem* child = group->infoFirstItem(); child; child = child->internalInfoNextInGroup(), ++k) {
    if (!recordOf(child)->infoIsFixedWidth()) rowFixed = false;
    const bool rowEnds = (k + 1) % rowLength == 0 || !child->internalInfoNextInGroup();
    if (rowEnds) {
      if (rowFixed) return true;
      rowFixed = true;
    }
  }
  return false;
}

bool infoGroupHasFixedHeight(cGuiGroupItem* group) {
  const GroupKind kind = kindOf(group);
  int32_t columnCount = 0;
  switch (kind) {
    case GroupKind::Vertical: columnCount = 1; break;
    case GroupKind::Horizontal:
    case GroupKind::Page: columnCount = group->infoSize(); break;
    case GroupKind::Grid: columnCount = gridColumns(group); break;
    case GroupKind::Unknown: Throw("BUG", "cGui; infoGroupHasFixedHeight(); unknown group type");
  }
  std::vector<bool> columnFixed(static_cast<size_t>(columnCount), true);
  int32_t k = 0;
  for (cGuiItem* child = group->infoFirstItem(); child; child = child->internalInfoNextInGroup(), ++k) {
    if (!recordOf(child)->infoIsFixedHeight()) columnFixed[static_cast<size_t>(k % columnCount)] = false;
  }
  for (bool fixed : columnFixed)
    if (fixed) return true;
  return false;
}

itemNode_cgui* buildColGroup(itemNode_cgui* node, cGuiItem* item, cGuiWindowHost* window, cGuiItem* lastItem,
                             bool stretchWidth, bool stretchHeight, cGuiItem** lastInBlock, cGuiItem** newLastItem,
                             cGuiChildList** pending) {
  itemNode_cgui* head = nullptr;
  itemNode_cgui* tail = nullptr;
  cGuiChildList* ender = nullptr;
  int32_t values = 0;
  cGuiItem* current = item;
  cGuiItem* last = lastItem;
  cGuiItem* lastJoined = item;
  try {
    while (current) {
      if (!node) {
        cGuiChildList* list = recordOf(current)->build(last, window, stretchWidth, stretchHeight, &last);
        node = (new itemNode_cgui)->new_itemNode4(list ? list : cGuiChildList::make());
      }
      if (node->list->infoLength() != 4) {
        // This item ends the run; buildGroup places its list without building it again.
        ender = node->list;
        node->list = nullptr;
        End(node);
        break;
      }
      values += 4;
      head = appendItemNode(node, head, &tail);
      node = nullptr;
      lastJoined = current;
      current = current->internalInfoNextInGroup();
    }
    std::vector<TagItem> tags = joinChain(head, values, "buildColGroup(); tagList is not expected length");
    Object* block = MUI_NewObject("Group.mui", MUIA_Group_Columns, 2, TAG_MORE, tags.data());
    End(head);
    *lastInBlock = lastJoined;
    *newLastItem = last;
    *pending = ender;
    return (new itemNode_cgui)->new_itemNode4(cGuiChildList::of(block));
  } catch (...) {
    if (node) {
      node->list->disposeObjects();
      End(node);
    }
    disposeChainObjects(head);
    End(head);
    if (ender) ender->disposeObjects();
    End(ender);
    throw;
  }
}

Object* buildGroup(cGuiGroupItem* group, cGuiWindowHost* window, bool stretchWidth, bool stretchHeight) {
  const GroupKind kind = kindOf(group);
  const int32_t columns = kind == GroupKind::Grid ? gridColumns(group) : 0;
  const bool horizontal = kind == GroupKind::Horizontal;
  const bool vertical = kind == GroupKind::Vertical;
  const bool page = kind == GroupKind::Page;
  const bool hasParent = group->internalParent() != nullptr;
  const bool scrollable = group->infoScrollable();

  // The children stretch along with the group only where no child keeps a
  // fixed size in that direction. A row of items in a column (or a column in
  // a row) does not count: it ends in a filler of its own.
  bool childStretchWidth = false;
  bool childStretchHeight = false;
  if ((horizontal || vertical || page) && group->infoFirstItem()) {
    bool someWide = false, someFixedWidth = false, someTall = false, someFixedHeight = false;
    for (cGuiItem* child = group->infoFirstItem(); child; child = child->internalInfoNextInGroup()) {
      cGuiShared* record = recordOf(child);
      const bool rowChild = isExactly(child, "cGuiGroupHorizontalHost");
      const bool columnChild = isExactly(child, "cGuiGroupVerticalHost");
      if (!record->infoIsFixedWidth()) someWide = true;
      else if (!(rowChild && (vertical || page))) someFixedWidth = true;
      if (!record->infoIsFixedHeight()) someTall = true;
      else if (!(columnChild && (horizontal || page))) someFixedHeight = true;
    }
    childStretchWidth = (vertical || page) && someWide && !someFixedWidth;
    childStretchHeight = (horizontal || page) && someTall && !someFixedHeight;
  }

  itemNode_cgui* head = nullptr;
  itemNode_cgui* tail = nullptr;
  cGuiChildList* pending = nullptr;
  itemNode_cgui* node = nullptr;
  int32_t total = 0;
  std::vector<TagItem> tags;
  try {
    cGuiItem* last = nullptr;
    bool allFixed = true;
    for (cGuiItem* child = group->infoFirstItem(); child;) {
      cGuiShared* record = recordOf(child);
      if (horizontal) allFixed = record->infoIsFixedWidth() && allFixed;
      if (vertical) allFixed = record->infoIsFixedHeight() && allFixed;
      cGuiChildList* list = pending;
      pending = nullptr;
      if (!list) list = record->build(last, window, childStretchWidth, childStretchHeight, &last);
      node = (new itemNode_cgui)->new_itemNode4(list ? list : cGuiChildList::make());
      cGuiItem* next = child->internalInfoNextInGroup();
      if (node->list->infoLength() == 4 && (vertical || columns > 0)) {
        cGuiItem* lastInBlock = child;
        itemNode_cgui* first = node;
        node = nullptr;
        node = buildColGroup(first, child, window, last, childStretchWidth, childStretchHeight, &lastInBlock, &last,
                             &pending);
        next = lastInBlock->internalInfoNextInGroup();
      }
      total += node->list->infoLength();
      head = appendItemNode(node, head, &tail);
      node = nullptr;
      child = next;
    }
    recordOf(group)->lastItem = last;

    int32_t fillers = 0;
    if (kind == GroupKind::Grid) fillers = (columns - 1) - ((total / 2 - 1) % columns);
    if (hasParent) {
      if (horizontal && allFixed && (stretchWidth || scrollable)) fillers = 1;
      else if (vertical && allFixed && (stretchHeight || scrollable)) fillers = 1;
      else if ((horizontal || vertical) && scrollable) fillers = 1;
    }
    for (int32_t i = 0; i < fillers; ++i) {
      head = appendItemNode((new itemNode_cgui)->new_itemNode4(cGuiChildList::of(makeFiller())), head, &tail);
      total += 2;
    }
    if (total == 0) {
      head = appendItemNode(
          (new itemNode_cgui)->new_itemNode4(cGuiChildList::of(MUI_NewObject("Rectangle.mui", MUIA_FixHeight, 35))),
          head, &tail);
      total += 2;
    }
    tags = joinChain(head, total, "buildGroup(); tagList is not expected length");
  } catch (...) {
    if (node) {
      node->list->disposeObjects();
      End(node);
    }
    if (pending) pending->disposeObjects();
    End(pending);
    disposeChainObjects(head);
    End(head);
    throw;
  }

  const bool virtualFrame = scrollable && hasParent;
  const char* title = group->infoTitle();
  const TagItem groupTags[] = {
      {MUIA_Group_Horiz, horizontal ? 1 : 0},
      {MUIA_Group_PageMode, page ? 1 : 0},
      {columns ? MUIA_Group_Columns : TAG_IGNORE, columns},
      {MUIA_Group_SameSize, group->infoEqualSizedItems() ? 1 : 0},
      {virtualFrame ? MUIA_Frame : TAG_IGNORE, MUIV_Frame_Virtual},
      {group->infoHasBorder() && !virtualFrame ? MUIA_Frame : TAG_IGNORE, MUIV_Frame_Group},
      {title ? MUIA_FrameTitle : TAG_IGNORE, toIPTR(title)},
      {TAG_MORE, toIPTR(tags.data())},
  };
  Object* object = MUI_NewObjectA(scrollable ? "Virtgroup.mui" : "Group.mui", groupTags);
  End(head);
  if (scrollable) {
    object = MUI_NewObject("Scrollgroup.mui", MUIA_Scrollgroup_UseWinBorder, hasParent ? 0 : 1,
                           MUIA_Scrollgroup_Contents, object);
  }
  return object;
}
