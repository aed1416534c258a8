// A window whose factories make plain model items, so tests can describe
// windows without a platform; its list records the entries it is given.
#pragma once
#include <string>
#include <vector>

#include "core/strings/string.h"
#include "gui/gui_window.h"

struct RecordedEntry {
  std::string label;
  bool altColour;
  bool marked;
  int32_t data;
  class_base* dataBox;
};

class modelList : public cGuiList {
  LUDEX_CLASS(modelList, cGuiList)
 public:
  void end_class() override {
    for (RecordedEntry& e : entries) End(e.dataBox);
    entries.clear();
    cGuiList::end_class();
  }
  void addEntry(char* label, bool altColour, bool marked, int32_t data, class_base* dataBox, bool) override {
    entries.push_back({label, altColour, marked, data, dataBox});
    DisposeString(label);
  }
  std::vector<RecordedEntry> entries;
};

class modelWindow : public cGuiWindow {
  LUDEX_CLASS(modelWindow, cGuiWindow)
 public:
  static modelWindow* make() {
    auto* w = new modelWindow;
    w->new_cGuiWindow("Test");
    return w;
  }
  cGuiGroupHorizontal* makeGroupHorizontal() override { return new cGuiGroupHorizontal; }
  cGuiGroupVertical* makeGroupVertical() override { return new cGuiGroupVertical; }
  cGuiGroupGrid* makeGroupGrid() override { return new cGuiGroupGrid; }
  cGuiGroupPage* makeGroupPage() override { return new cGuiGroupPage; }
  cGuiBreak* makeBreak() override { return new cGuiBreak; }
  cGuiBar* makeBar() override { return new cGuiBar; }
  cGuiLabel* makeLabel() override { return new cGuiLabel; }
  cGuiText* makeText() override { return new cGuiText; }
  cGuiTextBox* makeTextBox() override { return new cGuiTextBox; }
  cGuiButton* makeButton() override { return new cGuiButton; }
  cGuiTick* makeTick() override { return new cGuiTick; }
  cGuiString* makeString() override { return new cGuiString; }
  cGuiStringBox* makeStringBox() override { return new cGuiStringBox; }
  cGuiPathString* makePathString() override { return new cGuiPathString; }
  cGuiNumberString* makeNumberString() override { return new cGuiNumberString; }
  cGuiSlider* makeSlider() override { return new cGuiSlider; }
  cGuiCycleChoice* makeCycleChoice() override { return new cGuiCycleChoice; }
  cGuiRadioChoice* makeRadioChoice() override { return new cGuiRadioChoice; }
  cGuiNativeSimple* makeNativeSimple() override { return new cGuiNativeSimple; }
  cGuiList* makeList() override { return new modelList; }
};
