// cGuiWindowHost: the window description realised with MUI. It makes the
// items as host classes, builds the root group's object tree into a MUI
// window, opens and closes it as a member of the application client's MUI
// application, and keeps what event delivery leaves for the application (the
// dropped paths) and the map from MUI objects to their items that the
// window's hook uses to find the item of the field that was left.
#pragma once
#include <cstdint>

#include "core/number_space.h"
#include "gui/gui_window.h"
#include "gui/mui/client/event_node.h"
#include "os/mui/mui.h"

class cGuiWindowHost : public cGuiWindow {
  LUDEX_CLASS(cGuiWindowHost, cGuiWindow)
 public:
  // Closes the window, drops its queued events, disposes the Window object
  // (and its whole tree), the dropped paths, the map, then the description
  // and its items.
  void end_class() override;
  cGuiWindowHost* new_cGuiWindow(const char* windowTitle) override;

  // Builds the root group's object tree and the Window object around it,
  // installs the window's and the items' notifications, the keyboard cycle
  // chain and the first string field as active object, then opens the window
  // unless noOpen. An open group (EMU), a missing root group (EMU) or a
  // second build (EMU) is refused; when MUI cannot make the objects, ERR
  // "cGuiWindow.build(); failed to create GUI" and no item keeps an object.
  void build(bool noOpen) override;
  // Opens the window in the application (EMU before the build).
  void open() override;
  // Closes it, storing its place and size unless the application is iconified.
  void close() override;
  bool infoIsOpen() override { return isOpen; }
  const char* infoTitle() override { return title; }

  bool getQuitRequest(bool keep) override;
  cGuiWindow* setQuitRequest(bool flag) override;
  // The current dropped path (NIL: none). Unless keep, it is handed out: it
  // stays valid, owned by the window, until the next hand-out.
  const char* getDroppedFile(bool keep, bool* lastOfDrop = nullptr) override;
  // Stores a copy of path as the current dropped path.
  cGuiWindow* setDroppedFile(const char* path) override;
  bool getBusy() override { return busy; }
  cGuiWindow* setBusy(bool flag) override;

  // Live while the window is open (and the application not iconified); else
  // the stored values, learnt by opening the window once when none is known.
  int32_t getPosition(int32_t* top = nullptr) override;
  cGuiWindow* setPosition(int32_t left, int32_t top) override;
  int32_t infoWidth() override;
  int32_t infoHeight() override;
  cGuiWindow* changeSize(int32_t width, int32_t height) override;
  // 'SCRN' the screen, 'OBJT' the Window object, 'SIGS' the client's signal
  // mask, 'WIND' the Intuition window; anything else NIL with *unknown TRUE.
  void* queryExtra(uint32_t key, bool* unknown = nullptr) override;

  // Stores the current place and size in the description.
  virtual void storePosAndSize();
  // Makes sure the description knows a place and a size (see getPosition):
  // when it lacks either, the window tells them, opened once when closed.
  virtual void ensurePosAndSizeStored(bool iconified);
  // Takes a window event over: the close request, the dropped path (which
  // the window owns from then on).
  virtual void notifyStateHasChanged(eventNode* event);
  // The next window of the client.
  virtual cGuiWindowHost* infoNextResource() { return static_cast<cGuiWindowHost*>(next); }

  // The root group's MUI object and the Window object; NIL before the build.
  virtual Object* infoRootObject() { return rootObject; }
  virtual Object* infoWindowObject() { return windowObject; }

  // The object-to-item map: object is the key itself, pointer-sized.
  virtual void mapObjectToItem(Object* object, cGuiItem* item);
  // The item whose object this is, or NIL.
  virtual cGuiItem* infoItemOfObject(Object* object);
  // The object that had the keyboard last, as the window hook saw it.
  virtual Object* infoLastActiveObject() { return lastActiveObject; }
  virtual void setLastActiveObject(Object* object) { lastActiveObject = object; }

  // Adds a native simple item around object to the current build group.
  // The item takes the object and the label object over once it is made
  // (refused outside a group, they stay the caller's); the window's objects
  // they become when the window is built.
  virtual cGuiNativeSimple* addNativeSimple(Object* object, Tag stateAttribute, IPTR triggerValue,
                                            Object* labelObject, bool fixedWidth, bool fixedHeight,
                                            bool useInCycleChain);

  cGuiGroupHorizontal* makeGroupHorizontal() override;
  cGuiGroupVertical* makeGroupVertical() override;
  cGuiGroupGrid* makeGroupGrid() override;
  cGuiGroupPage* makeGroupPage() override;
  cGuiBreak* makeBreak() override;
  cGuiBar* makeBar() override;
  cGuiLabel* makeLabel() override;
  cGuiText* makeText() override;
  cGuiTextBox* makeTextBox() override;
  cGuiButton* makeButton() override;
  cGuiTick* makeTick() override;
  cGuiString* makeString() override;
  cGuiStringBox* makeStringBox() override;
  cGuiPathString* makePathString() override;
  cGuiNumberString* makeNumberString() override;
  cGuiSlider* makeSlider() override;
  cGuiCycleChoice* makeCycleChoice() override;
  cGuiRadioChoice* makeRadioChoice() override;
  cGuiNativeSimple* makeNativeSimple() override;
  cGuiList* makeList() override;

 private:
  // After a failed build: no record keeps an object that is gone.
  void forgetBuiltObjects();
  // The Window object around the root object, with its tags in their order.
  Object* newWindowObject();
  // The window's notifications, the items' ones, the cycle chain and the
  // first active field.
  void setupWindow();
  // Live geometry can be read: open, and the application not iconified.
  bool showsLiveGeometry();

  const char* title = nullptr;  // the caller's
  Object* windowObject = nullptr;
  bool isOpen = false;
  bool busy = false;
  char* droppedPath = nullptr;          // owned
  char* previousDroppedPath = nullptr;  // owned
  bool droppedLast = false;             // droppedPath is the last of its drop
  Object* lastActiveObject = nullptr;
  cNumberSpace* objectItems = nullptr;  // owned; does not own the items
  Object* rootObject = nullptr;         // inside the Window object
  bool built = false;
};
