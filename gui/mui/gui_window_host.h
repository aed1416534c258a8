// cGuiWindowHost: the window description realised with MUI. It makes the
// items as host classes, builds the root group's object tree, and keeps the
// map from MUI objects to their items that the window's hook uses to find the
// item of the active object.
#pragma once
#include <cstdint>

#include "core/number_space.h"
#include "gui/gui_window.h"
#include "os/mui/mui.h"

class cGuiWindowHost : public cGuiWindow {
  LUDEX_CLASS(cGuiWindowHost, cGuiWindow)
 public:
  // Disposes the object tree, the map, then the description and its items.
  void end_class() override;
  cGuiWindowHost* new_cGuiWindow(const char* windowTitle) override;
  const char* infoTitle() override { return title; }

  // Builds the root group's object tree, links every item into the build
  // sequence and sets up the items' notifications. An open group (EMU), a
  // missing root group (EMU) or a second build (EMU) is refused; when MUI
  // cannot make the tree, ERR "cGuiWindow.build(); failed to create GUI" and
  // no item keeps an object.
  void build(bool noOpen) override;
  // The root group's MUI object; NIL before the build.
  virtual Object* infoRootObject() { return rootObject; }

  // The object-to-item map: object is the key itself, pointer-sized.
  virtual void mapObjectToItem(Object* object, cGuiItem* item);
  // The item whose object this is, or NIL.
  virtual cGuiItem* infoItemOfObject(Object* object);

  // Adds a native simple item around object to the current build group.
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
  // The input items and the list have no host yet: these make none, which
  // the description's add refuses.
  cGuiButton* makeButton() override { return nullptr; }
  cGuiTick* makeTick() override { return nullptr; }
  cGuiString* makeString() override { return nullptr; }
  cGuiStringBox* makeStringBox() override { return nullptr; }
  cGuiPathString* makePathString() override { return nullptr; }
  cGuiNumberString* makeNumberString() override { return nullptr; }
  cGuiSlider* makeSlider() override { return nullptr; }
  cGuiCycleChoice* makeCycleChoice() override { return nullptr; }
  cGuiRadioChoice* makeRadioChoice() override { return nullptr; }
  cGuiNativeSimple* makeNativeSimple() override;
  cGuiList* makeList() override { return nullptr; }

 private:
  // After a failed build: no record keeps an object that is gone.
  void forgetBuiltObjects();

  const char* title = nullptr;  // the caller's
  Object* rootObject = nullptr;
  bool built = false;
  cNumberSpace* objectItems = nullptr;  // owned; does not own the items
};
