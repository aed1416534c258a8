// Builds the widgets of an object tree: groups become box or grid layouts
// (horizontal, vertical, columns, same size; weights sharing the room left
// over, fixed sizes; see group_layouts.h), page
// groups a stacked widget, framed or titled groups group boxes, virtual and
// scroll groups scroll areas, pop-ups a field with its button, lists a view
// over their rows, and every other object its control's view.
#pragma once
#include <map>
#include <memory>
#include <vector>

#include "os/mui/qt/object_view.h"

class QWidget;
struct Object;

namespace mui::qt {

struct BuiltTree {
  std::vector<std::unique_ptr<ObjectView>> views;  // every object's view, top first
  std::map<const Object*, QWidget*> widgets;
};

// The widget of `top` with all below it (owned by the caller, parented to nothing).
QWidget* buildViews(Object* top, BuiltTree& out);

// The serials of the tree in order: when they change, the widgets are built anew.
std::vector<uint32_t> treeShape(const Object* top);

}  // namespace mui::qt
