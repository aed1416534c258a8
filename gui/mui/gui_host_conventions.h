// What the item hosts share: the label object beside a field, the popup hint
// on the label and main objects, the class test of the parent group, and the
// installation of a notification.
#pragma once
#include <cstdint>

#include "gui/gui_output_item.h"
#include "gui/mui/gui_shared.h"
#include "os/mui/mui.h"

// TRUE when the item's parent group is exactly of the named class (FALSE
// without a parent).
bool internalSafeParent_IsSameClassTypeAs(cGuiItem* item, const char* className);
// TRUE when the item's parent group is of the named class or derives from it.
bool internalSafeParent_IsOfClassType(cGuiItem* item, const char* className);
// The item stands in a horizontal (or vertical) group host.
inline bool inHorizontalGroup(cGuiItem* item) {
  return internalSafeParent_IsSameClassTypeAs(item, "cGuiGroupHorizontalHost");
}
inline bool inVerticalGroup(cGuiItem* item) { return internalSafeParent_IsSameClassTypeAs(item, "cGuiGroupVerticalHost"); }

// The label shown beside a field ("" included).
Object* makeFieldLabel(const char* text);

// Shows hint (NIL: none) over the record's label object and main object,
// each that exists.
void applyPopupHint(cGuiShared* record, const char* hint);
// The hosts' setPopupHint: the item keeps a copy unless it is handed the
// hint it holds, then the objects show it.
void keepAndApplyPopupHint(cGuiOutputItem* item, const char* hint);

// Sends MUIM_Notify to object: on attribute taking value, destination gets
// the action words of the two lists, one after the other (a NIL list counts 0).
IPTR muim_Notify(Object* object, Tag attribute, IPTR value, Object* destination, const IPTR* actions1,
                 int32_t count1, const IPTR* actions2, int32_t count2);
// The toolkit's change notification: when attribute takes value, object
// calls the action hook with [item, window].
IPTR notifyItemChange(Object* object, Tag attribute, IPTR value, cGuiItem* item, cGuiShared* record);
