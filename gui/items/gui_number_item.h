// cGuiNumberItem: an item whose state is a whole number between a minimum and
// a maximum, both inclusive: the number string, the slider and the choices.
#pragma once
#include <cstdint>

#include "gui/items/gui_input_item.h"

class cGuiNumberItem : public cGuiInputItem {
  LUDEX_CLASS(cGuiNumberItem, cGuiInputItem)
 public:
  void end_class() override {
    DisposeOwnedText(unit);
    cGuiInputItem::end_class();
  }

  // Keeps a copy of the unit shown after the field; NIL or "" leaves none.
  virtual cGuiNumberItem* initUnit(const char* text) {
    ReplaceOwnedText(unit, text, OwnedTextRule::EmptyAsNone);
    return this;
  }
  virtual const char* infoUnit() { return unit; }
  virtual int32_t infoMin() { return minimum; }
  virtual int32_t infoMax() { return maximum; }
  virtual int32_t getState() { return state; }
  // Stores n when it lies within infoMin() to infoMax(); otherwise raises EMU
  // with the item's own message and keeps the state.
  virtual cGuiNumberItem* setState(int32_t n);

 protected:
  // The shared part of the constructors. Nothing is checked: min may exceed max.
  void newNumberItem(const char* label, int32_t startState, int32_t min, int32_t max) {
    initLabel(label);
    state = startState;
    minimum = min;
    maximum = max;
    DisposeOwnedText(unit);
  }
  void initMax(int32_t max) { maximum = max; }
  // The message of a refused setState, naming the model class.
  virtual const char* outOfRangeMessage() = 0;

 private:
  int32_t state = 0;
  int32_t minimum = 0;
  int32_t maximum = 0;
  char* unit = nullptr;  // owned
};

#define LUDEX_GUI_TYPED_NUMBER(Self, Base)  \
  LUDEX_GUI_TYPED_INPUT(Self)               \
  Self* initUnit(const char* text) override { \
    cGuiNumberItem::initUnit(text);         \
    return this;                            \
  }                                         \
  Self* setState(int32_t n) override {      \
    Base::setState(n);                      \
    return this;                            \
  }
