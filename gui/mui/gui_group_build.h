// The build of a group: its children's objects, the fillers that keep rows of
// fixed-size items in line, the two-column blocks that line up labels, and
// the MUI group (in a scroll group when it scrolls).
#pragma once

#include "gui/groups/gui_group_item.h"
#include "gui/mui/item_node.h"

class cGuiWindowHost;

// The group's MUI object: a Group.mui, or a Scrollgroup.mui around a
// Virtgroup.mui when the group is scrollable. stretchWidth and stretchHeight
// tell the group that its parent stretches it beyond what it needs.
Object* buildGroup(cGuiGroupItem* group, cGuiWindowHost* window, bool stretchWidth, bool stretchHeight);

// Gathers the run of labelled items that starts at item (whose list node is
// node, taken over) into one two-column group. Returns a node holding that
// group; *lastInBlock gets the last item that joined, *newLastItem the last
// item of the build sequence, *pending the list of the item that ended the
// run (NIL when the group's children ran out), already built.
itemNode_cgui* buildColGroup(itemNode_cgui* node, cGuiItem* item, cGuiWindowHost* window, cGuiItem* lastItem,
                             bool stretchWidth, bool stretchHeight, cGuiItem** lastInBlock, cGuiItem** newLastItem,
                             cGuiChildList** pending);

// A group keeps a fixed width when one of its rows is made of fixed-width
// items only, a fixed height when one of its columns is of fixed-height items.
bool infoGroupHasFixedWidth(cGuiGroupItem* group);
bool infoGroupHasFixedHeight(cGuiGroupItem* group);
