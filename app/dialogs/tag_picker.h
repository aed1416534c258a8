// The tags part shared by the "Edit game" and "Tag all selected games"
// dialogs: a "Tags" field and, below it, every known tag in a list where each
// click toggles a tag. The two are kept in step: typed tags select their
// entries (tags the list lacks are added), and a changed selection rewrites
// the field.
#pragma once

class cGuiItem;
class cGuiList;
class cGuiString;
class cGuiWindow;

class TagPicker {
 public:
  // Adds the field and the filled list to the window's current build group.
  static TagPicker describe(cGuiWindow* window);

  // Keeps field and list in step after an event of either; FALSE when the
  // item is neither (the event is not the picker's).
  bool handle(cGuiItem* item);
  // Selects in the list exactly the tags of the field, adding missing ones.
  void selectFieldTags();
  // TRUE once the user changed the field or the list's selection.
  bool touched() const { return wasTouched; }

  cGuiString* field = nullptr;
  cGuiList* list = nullptr;

 private:
  bool wasTouched = false;
};

// TRUE when two comma-separated tag texts name the same tags, in any order
// and case (empty items are not tags).
bool sameTagSets(const char* a, const char* b);
