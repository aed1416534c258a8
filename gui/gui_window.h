// cGuiWindow: the description of one window, a tree of groups and items that
// the application describes top-down with begin..., add... and end... calls,
// the window's options and the results of event delivery for the window.
//
// The builder is a stack of open groups kept through the parent links: add...
// fills the current build group, endGroup makes its parent current. While a
// list is described the current build group is NIL, so only list calls are
// taken, and the interrupted group waits aside until endList. Every refusal
// raises EMU and changes nothing: the tree, the current build group and the
// list being described stay as they were, and nothing is left unowned.
//
// The platform's window host derives from this class: it makes the items (the
// make... factories, which return a new, zero-filled, not yet constructed item
// of its host classes) and supplies what needs the native window (build,
// open, close, busy, live position and size, quit request, dropped files).
// The window owns its root group and so the whole tree.
#pragma once
#include <cstdint>

#include "core/app_object.h"
#include "gui/groups/gui_bar.h"
#include "gui/groups/gui_break.h"
#include "gui/groups/gui_group_grid.h"
#include "gui/groups/gui_group_item.h"
#include "gui/groups/gui_group_page.h"
#include "gui/items/gui_button.h"
#include "gui/items/gui_choice_item.h"
#include "gui/items/gui_label.h"
#include "gui/items/gui_native_item.h"
#include "gui/items/gui_number_string.h"
#include "gui/items/gui_path_string.h"
#include "gui/items/gui_slider.h"
#include "gui/items/gui_string_box.h"
#include "gui/items/gui_string_item.h"
#include "gui/items/gui_text.h"
#include "gui/items/gui_text_box.h"
#include "gui/items/gui_tick.h"
#include "gui/lists/gui_fixed_list.h"
#include "gui/lists/gui_list.h"

// Width or height not given.
constexpr int32_t GUI_NO_SIZE = -1;

class cGuiWindow : public cAppResource {
  LUDEX_CLASS(cGuiWindow, cAppResource)
 public:
  // Ends the root group and with it every item; an error meanwhile is dropped.
  void end_class() override;

  // The start values; the host keeps the title.
  virtual cGuiWindow* new_cGuiWindow(const char* title);

  // Files and drawers may be dropped on the window.
  virtual cGuiWindow* initAllowDropFiles() {
    allowDropFiles = true;
    return this;
  }
  virtual bool infoAllowDropFiles() { return allowDropFiles; }
  // The non-zero id (such as 'MAIN') under which the platform remembers the
  // window's position and size; 0 is refused.
  virtual cGuiWindow* initSaveID(uint32_t id);
  virtual uint32_t infoSaveID() { return saveId; }

  // Make a group with the matching factory, construct it and open it with
  // beginGroup. A grid needs at least one column.
  virtual cGuiGroupHorizontal* beginGroupHorizontal(const char* title);
  virtual cGuiGroupVertical* beginGroupVertical(const char* title);
  virtual cGuiGroupGrid* beginGroupGrid(int32_t columns, const char* title);
  virtual cGuiGroupPage* beginGroupPage(const char* title);
  virtual cGuiGroupItem* infoRootGroup() { return rootGroup; }
  // Opens group: the first becomes the root group; every later one is added
  // to the current build group and becomes current.
  virtual cGuiGroupItem* beginGroup(cGuiGroupItem* group);
  // Closes the current build group; its parent becomes current (NIL after the
  // root group) and is returned.
  virtual cGuiGroupItem* endGroup();

  // Make, construct and add one item to the current build group.
  virtual cGuiBreak* addBreak();
  // A titled bar is refused in a horizontal group, where it stands upright.
  virtual cGuiBar* addBar(const char* title);
  virtual cGuiLabel* addLabel(const char* text);
  virtual cGuiText* addText(const char* label);
  virtual cGuiTextBox* addTextBox(const char* label);
  virtual cGuiButton* addButton(const char* label);
  virtual cGuiTick* addTick(const char* label);
  virtual cGuiString* addString(const char* label);
  virtual cGuiStringBox* addStringBox(const char* label);
  virtual cGuiPathString* addPathString(const char* label);
  virtual cGuiNumberString* addNumberString(const char* label, int32_t min, int32_t max);
  virtual cGuiSlider* addSlider(const char* label, int32_t min, int32_t max);
  virtual cGuiCycleChoice* addCycleChoice(const char* label, const char* const* choices);
  virtual cGuiRadioChoice* addRadioChoice(const char* label, const char* const* choices);
  // Adds an item the caller made and constructed; it is the window's once added.
  virtual cGuiNativeItem* addNative(cGuiNativeItem* item);
  // A native simple item from the list of values its newL takes.
  virtual cGuiNativeSimple* addNativeSimpleL(const intptr_t* values, int32_t count);
  virtual cGuiGroupItem* infoCurrentBuildGroup() { return currentGroup; }

  // What needs the native window is the host's; here build does nothing, the
  // window is never open, and open only clears a pending close request.
  virtual void build(bool noOpen) { (void)noOpen; }
  virtual void open() { closeRequest = false; }
  virtual void close() {}
  virtual bool infoIsOpen() { return false; }
  virtual const char* infoTitle() { return nullptr; }

  // The item whose change was delivered last for this window (NIL: a window event).
  virtual cGuiItem* getLastChangedItem() { return lastChangedItem; }
  virtual cGuiWindow* setLastChangedItem(cGuiItem* item) {
    lastChangedItem = item;
    return this;
  }
  // Whether the user asked to close the window; cleared unless keep is TRUE.
  virtual bool getCloseRequest(bool keep);
  virtual cGuiWindow* setCloseRequest(bool flag) {
    closeRequest = flag;
    return this;
  }
  // The application's quit request, one for all windows (the host's).
  virtual bool getQuitRequest(bool keep) {
    (void)keep;
    return false;
  }
  virtual cGuiWindow* setQuitRequest(bool flag) {
    (void)flag;
    return this;
  }
  // The path of a file or drawer dropped on the window (the host's; NIL
  // here). The files of one drop arrive one event each; *lastOfDrop (when
  // given) tells whether this path is the drop's last.
  virtual const char* getDroppedFile(bool keep, bool* lastOfDrop = nullptr) {
    (void)keep;
    if (lastOfDrop) *lastOfDrop = false;
    return nullptr;
  }
  virtual cGuiWindow* setDroppedFile(const char* path) {
    (void)path;
    return this;
  }
  // The window shown busy: asleep, taking no input (the host's).
  virtual bool getBusy() { return false; }
  virtual cGuiWindow* setBusy(bool flag) {
    (void)flag;
    return this;
  }

  // The left edge, the top edge through *top. Here, and in the host before
  // the build, the wished values; a position never given raises EMU.
  virtual int32_t getPosition(int32_t* top = nullptr);
  virtual cGuiWindow* setPosition(int32_t left, int32_t top);
  // The wished width and height; GUI_NO_SIZE raises EMU.
  virtual int32_t infoWidth();
  virtual int32_t infoHeight();
  // Stores the wished size (GUI_NO_SIZE: none).
  virtual cGuiWindow* changeSize(int32_t width, int32_t height);
  // Platform values by four-character key; NIL, with *unknown TRUE, here.
  virtual void* queryExtra(uint32_t key, bool* unknown = nullptr) {
    (void)key;
    if (unknown) *unknown = true;
    return nullptr;
  }

  // The factories of the platform's host items.
  virtual cGuiGroupHorizontal* makeGroupHorizontal() = 0;
  virtual cGuiGroupVertical* makeGroupVertical() = 0;
  virtual cGuiGroupGrid* makeGroupGrid() = 0;
  virtual cGuiGroupPage* makeGroupPage() = 0;
  virtual cGuiBreak* makeBreak() = 0;
  virtual cGuiBar* makeBar() = 0;
  virtual cGuiLabel* makeLabel() = 0;
  virtual cGuiText* makeText() = 0;
  virtual cGuiTextBox* makeTextBox() = 0;
  virtual cGuiButton* makeButton() = 0;
  virtual cGuiTick* makeTick() = 0;
  virtual cGuiString* makeString() = 0;
  virtual cGuiStringBox* makeStringBox() = 0;
  virtual cGuiPathString* makePathString() = 0;
  virtual cGuiNumberString* makeNumberString() = 0;
  virtual cGuiSlider* makeSlider() = 0;
  virtual cGuiCycleChoice* makeCycleChoice() = 0;
  virtual cGuiRadioChoice* makeRadioChoice() = 0;
  virtual cGuiNativeSimple* makeNativeSimple() = 0;
  virtual cGuiList* makeList() = 0;

  // Makes a list of columns (at least 1) in the current build group and
  // describes it: until endList only addListEntry is taken. The caller sets
  // the list's options on the result.
  virtual cGuiList* beginList(int32_t columns, const char* title);
  // Adds an entry to the list being described, with a copy of label (NIL: "").
  virtual void addListEntry(const char* label, bool altColour, bool marked, int32_t data, class_base* dataBox);
  // Ends the list's description; the interrupted group is current again and returned.
  virtual cGuiGroupItem* endList();

  // Makes a fixed list of columns (at least 1) and opens it as a group (the
  // root group when there is none): rows are added with addFixedListEntry.
  virtual cGuiFixedList* beginFixedList(int32_t columns, const char* title);
  // Adds a row of the TAB-separated label to the fixed list that is the
  // current build group. Returns the row when rows are selectable, else NIL.
  virtual cGuiFixedListEntry* addFixedListEntry(const char* label);
  // Closes the fixed list, as endGroup.
  virtual cGuiGroupItem* endFixedList() { return endGroup(); }

 protected:
  // The wished geometry as stored, for the host: TRUE when a position was
  // given, the edges through the pointers; the sizes may be GUI_NO_SIZE.
  bool infoWishedPosition(int32_t* leftEdge, int32_t* topEdge) const {
    if (leftEdge) *leftEdge = left;
    if (topEdge) *topEdge = top;
    return positionSet;
  }
  int32_t infoWishedWidth() const { return width; }
  int32_t infoWishedHeight() const { return height; }

 private:
  // The steps every add... shares: refuse outside a group, then construct the
  // item the factory made and add it, ending it when either step fails.
  void requireBuildGroup(const char* operation);
  void requireRoomForGroup();
  template <class Item, class Construct>
  Item* adopt(const char* operation, Item* (cGuiWindow::*factory)(), Construct construct);
  template <class Group, class Construct>
  Group* beginMade(const char* operation, Group* (cGuiWindow::*factory)(), Construct construct);

  cGuiGroupItem* rootGroup = nullptr;     // owned
  cGuiGroupItem* currentGroup = nullptr;
  cGuiList* listInProgress = nullptr;
  cGuiGroupItem* groupAside = nullptr;    // current while the list is described
  int32_t left = 0;
  int32_t top = 0;
  bool positionSet = false;
  int32_t width = GUI_NO_SIZE;
  int32_t height = GUI_NO_SIZE;
  bool allowDropFiles = false;
  uint32_t saveId = 0;
  bool closeRequest = false;
  cGuiItem* lastChangedItem = nullptr;
};
