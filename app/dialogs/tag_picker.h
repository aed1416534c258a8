// The tags part shared by the "Edit game" and "Tag all selected games"
// dialogs: a "Tags" field and, below it, every known tag in a list where each
// click toggles a tag. The two are kept in step: typed tags select their
// entries (tags the list lacks are added), and a changed selection rewrites
// the field.
#pragma once

#include <utility>

class cGuiItem;
class cGuiList;
class cGuiString;
class cGuiWindow;

class TagPicker {
 public:
  TagPicker() = default;
  TagPicker(TagPicker&& other) noexcept { *this = std::move(other); }
  TagPicker& operator=(TagPicker&& other) noexcept;
  TagPicker(const TagPicker&) = delete;
  TagPicker& operator=(const TagPicker&) = delete;
  ~TagPicker();

  // Adds the field and the filled list to the window's current build group.
  static TagPicker describe(cGuiWindow* window);

  // Shows the tags in the field and selects them in the list (adding missing
  // ones). The picker keeps the whole text: a field holds at most 255
  // characters, and tags past them must not be lost while the field, showing
  // the shortened copy, is left alone.
  void showTags(const char* text);
  // Keeps field and list in step after an event of either; FALSE when the
  // item is neither (the event is not the picker's).
  bool handle(cGuiItem* item);
  // Takes what the user typed into the field and not yet left, then selects
  // in the list exactly the picker's tags, adding missing ones.
  void selectTags();
  // TRUE once the user changed the field or the list's selection.
  bool touched() const { return wasTouched; }

  cGuiString* field = nullptr;
  cGuiList* list = nullptr;

 private:
  // Takes the field's text as the tags when it differs from what the picker
  // last showed in it; TRUE when it did.
  bool takeTypedTags();
  // The tags as the picker holds them, whole (NIL: none yet).
  char* tags = nullptr;
  // What the field held after the picker last wrote it.
  char* shown = nullptr;
  bool wasTouched = false;
};

// TRUE when two comma-separated tag texts name the same tags, in any order
// and case (empty items are not tags).
bool sameTagSets(const char* a, const char* b);
