// Re-declarations of inherited init and set operations that return the object
// as the re-declaring class, so that calls on a leaf item chain without casts.
// Each does the base's work. Use inside the class body, after LUDEX_CLASS.
#pragma once

#define LUDEX_GUI_TYPED_ITEM(Self)          \
 public:                                    \
  Self* setData(int32_t value) override {   \
    cGuiItem::setData(value);               \
    return this;                            \
  }

#define LUDEX_GUI_TYPED_GROUP(Self)                   \
  LUDEX_GUI_TYPED_ITEM(Self)                          \
  Self* initScrollable() override {                   \
    cGuiGroupItem::initScrollable();                  \
    return this;                                      \
  }                                                   \
  Self* initEqualSizedItems() override {              \
    cGuiGroupItem::initEqualSizedItems();             \
    return this;                                      \
  }                                                   \
  Self* setGhosted(bool flag) override {              \
    cGuiGroupItem::setGhosted(flag);                  \
    return this;                                      \
  }

#define LUDEX_GUI_TYPED_OUTPUT(Self)                  \
  LUDEX_GUI_TYPED_ITEM(Self)                          \
  Self* initUseLeastSpace() override {                \
    cGuiOutputItem::initUseLeastSpace();              \
    return this;                                      \
  }                                                   \
  Self* setPopupHint(const char* text) override {     \
    cGuiOutputItem::setPopupHint(text);               \
    return this;                                      \
  }

#define LUDEX_GUI_TYPED_INPUT(Self)                          \
  LUDEX_GUI_TYPED_OUTPUT(Self)                               \
  Self* setGhosted(bool flag) override {                     \
    cGuiInputItem::setGhosted(flag);                         \
    return this;                                             \
  }                                                          \
  Self* setNotifyFunction(funcGuiNotify* notify) override {  \
    cGuiInputItem::setNotifyFunction(notify);                \
    return this;                                             \
  }
