// cGuiStringItem: an item whose state is a text the user edits; the one-line
// string cGuiString. The string box and the path string derive from it too.
#pragma once

#include "gui/items/gui_input_item.h"
#include "gui/items/gui_typed_operations.h"

class cGuiStringItem : public cGuiInputItem {
  LUDEX_CLASS(cGuiStringItem, cGuiInputItem)
 public:
  void end_class() override {
    DisposeOwnedText(state);
    cGuiInputItem::end_class();
  }

  // The text the item holds (NIL until set); the host reads the field once built.
  virtual const char* getState() { return state; }
  // Keeps a copy of text (NIL: "").
  virtual cGuiStringItem* setState(const char* text) {
    ReplaceOwnedText(state, text, OwnedTextRule::NilAsEmpty);
    return this;
  }

 protected:
  // The shared part of the constructors: the label, no text yet.
  void newStringItem(const char* label) {
    initLabel(label);
    DisposeOwnedText(state);
    initShared();
  }
  // Replaces the text by the rule (the path string clears on NIL).
  void keepState(const char* text, OwnedTextRule rule) { ReplaceOwnedText(state, text, rule); }
  // For the host, which drops its copy once the native object holds the text.
  void disposeState() { DisposeOwnedText(state); }

 private:
  char* state = nullptr;  // owned
};

class cGuiString : public cGuiStringItem {
  LUDEX_CLASS(cGuiString, cGuiStringItem)
  LUDEX_GUI_TYPED_INPUT(cGuiString)
 public:
  virtual cGuiString* new_cGuiString(const char* label) {
    newStringItem(label);
    maxChars = 0;
    return this;
  }
  cGuiString* setState(const char* text) override {
    cGuiStringItem::setState(text);
    return this;
  }
  // Lets the field hold at least `characters` characters (a field holds 255
  // unless told more); set before the window is built.
  virtual cGuiString* initMaxChars(int32_t characters) {
    maxChars = characters;
    return this;
  }
  // What initMaxChars asked for; 0 when nothing was.
  virtual int32_t infoMaxChars() { return maxChars; }

 private:
  int32_t maxChars = 0;
};
