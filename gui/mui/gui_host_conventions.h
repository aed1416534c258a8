// What the item hosts share: the label object beside a field, the popup hint
// on the label and main objects, the class test of the parent group, and the
// installation of a notification.
#pragma once
#include <cstdint>

#include "gui/items/gui_input_item.h"
#include "gui/items/gui_number_item.h"
#include "gui/items/gui_output_item.h"
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

// The value of an attribute of object (0 for NIL).
IPTR muiGet(Object* object, Tag attribute);

// The label shown beside a field ("" included).
Object* makeFieldLabel(const char* text);

// Shows hint (NIL: none) over the record's label object and main object,
// each that exists.
void applyPopupHint(cGuiShared* record, const char* hint);
// The hosts' setPopupHint: the item keeps a copy unless it is handed the
// hint it holds, then the objects show it.
void keepAndApplyPopupHint(cGuiOutputItem* item, const char* hint);

// The input hosts' setGhosted: the item keeps the flag, then the main object
// (once built) is disabled or enabled.
void keepAndApplyGhosted(cGuiInputItem* item, bool flag);

// At the end of an input host's build: the item's hint and ghosted state go
// to the objects just made.
void applyHintAndGhosting(cGuiInputItem* item);

// Sends MUIM_Notify to object: on attribute taking value, destination gets
// the action words of the two lists, one after the other (a NIL list counts 0).
IPTR muim_Notify(Object* object, Tag attribute, IPTR value, Object* destination, const IPTR* actions1,
                 int32_t count1, const IPTR* actions2, int32_t count2);
// The toolkit's change notification: when attribute takes value, object
// calls the action hook with [item, window].
IPTR notifyItemChange(Object* object, Tag attribute, IPTR value, cGuiItem* item, cGuiShared* record);

// The state of a number host (cycle, radio, slider, number string): the
// object's attribute once built, the model's before.
int32_t numberHostState(cGuiNumberItem* item, Tag attribute);
// Sets it: the model refuses a number outside min..max (EMU, nothing
// changed) and keeps it; once built the object's attribute takes it too.
void setNumberHostState(cGuiNumberItem* item, Tag attribute, int32_t n);
// A field with its unit shown after it in a row; the field alone when there
// is no unit.
Object* withUnit(Object* field, const char* unit);

// The change notification of a field the user types into (the record's
// object), which the window also maps to the item: leaving the field is
// reported through the window's active object.
void notifyFieldChange(Tag attribute, IPTR value, cGuiItem* item, cGuiShared* record);

// The typed popup-hint and ghosting operations of an input host (the host's
// own slots, setPopupHint_<host> and setGhosted_<host>), by the conventions
// above. Use inside the class body.
#define LUDEX_GUI_INPUT_HOST_OPERATIONS(Self)                                     \
 public:                                                                          \
  Self* setPopupHint(const char* text) override { return setPopupHint_##Self(text); } \
  virtual Self* setPopupHint_##Self(const char* text) {                           \
    keepAndApplyPopupHint(this, text);                                            \
    return this;                                                                  \
  }                                                                               \
  Self* setGhosted(bool flag) override { return setGhosted_##Self(flag); }        \
  virtual Self* setGhosted_##Self(bool flag) {                                    \
    keepAndApplyGhosted(this, flag);                                              \
    return this;                                                                  \
  }
