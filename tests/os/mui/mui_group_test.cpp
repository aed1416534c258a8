// Groups: sets reach the children unless forwarding is off, a group's own
// attributes stay with it, pages are kept within the pages there are, and
// members come and go.
#include <string>

#include "tests/os/mui/mui_test_support.h"

namespace {

using MuiGroup = MuiTest;

struct Window {
  Object* root;
  Object *name, *tick, *inner, *innerText, *pages, *page0, *page1, *popasl, *popString, *popButton;
};

Window makeWindow() {
  Window w{};
  w.name = MUI_NewObject("String.mui");
  w.tick = MUI_NewObject("Image.mui", MUIA_Image_Spec, MUII_CheckMark);
  w.innerText = MUI_NewObject("Text.mui");
  w.inner = MUI_NewObject("Group.mui", MUIA_Group_Horiz, 1, MUIA_Group_Child, w.innerText);
  w.page0 = MUI_NewObject("Group.mui", MUIA_Group_PageMode, 1, MUIA_Group_Child, MUI_NewObject("Text.mui"),
                          MUIA_Group_Child, MUI_NewObject("Text.mui"));
  w.page1 = MUI_NewObject("Group.mui", MUIA_Group_Child, MUI_NewObject("Text.mui"));
  w.pages = MUI_NewObject("Group.mui", MUIA_Group_PageMode, 1, MUIA_Group_Child, w.page0, MUIA_Group_Child, w.page1);
  w.popString = MUI_NewObject("String.mui");
  w.popButton = MUI_MakeObject(MUIO_PopButton, MUII_PopDrawer);
  w.popasl = MUI_NewObject("Popasl.mui", MUIA_Popstring_String, w.popString, MUIA_Popstring_Button, w.popButton);
  w.root = MUI_NewObject("Group.mui", MUIA_Group_Child, w.name, MUIA_Group_Child, w.tick, MUIA_Group_Child, w.inner,
                         MUIA_Group_Child, w.pages, MUIA_Group_Child, w.popasl);
  return w;
}

TEST_F(MuiGroup, ADisabledGroupDisablesEverythingInsideUnlessForwardingIsOff) {
  Window w = makeWindow();
  ASSERT_NE(w.root, nullptr);
  Object* all[] = {w.root, w.name, w.tick, w.inner, w.innerText, w.pages, w.page0, w.page1, w.popasl, w.popString,
                   w.popButton};
  SetAttrs(w.root, MUIA_Disabled, 1);
  for (Object* o : all) EXPECT_EQ(attr(o, MUIA_Disabled), 1) << ostest::dumpMuiTree(o);
  // Forwarding off on the inner group: it changes, its child does not.
  SetAttrs(w.inner, MUIA_Group_Forward, 0);
  SetAttrs(w.root, MUIA_Disabled, 0);
  for (Object* o : all) EXPECT_EQ(attr(o, MUIA_Disabled), o == w.innerText ? 1 : 0) << ostest::dumpMuiTree(o);
  // MUIA_Group_Forward is the group's own: setting it on the root did not
  // reach the inner groups.
  SetAttrs(w.root, MUIA_Group_Forward, 1);
  EXPECT_EQ(attr(w.inner, MUIA_Group_Forward), 0);
  MUI_DisposeObject(w.root);
}

TEST_F(MuiGroup, TheActivePageStaysWithItsGroupAndWithinItsPages) {
  Window w = makeWindow();
  struct Case {
    IPTR set, outer;
  } cases[] = {{1, 1}, {0, 0}, {5, 1}, {-3, 0}};
  for (const Case& c : cases) {
    SetAttrs(w.pages, MUIA_Group_ActivePage, c.set);
    EXPECT_EQ(attr(w.pages, MUIA_Group_ActivePage), c.outer) << c.set;
    EXPECT_EQ(attr(w.page0, MUIA_Group_ActivePage), 0) << c.set;
  }
  SetAttrs(w.page0, MUIA_Group_ActivePage, 1);
  SetAttrs(w.pages, MUIA_Group_ActivePage, 0);
  EXPECT_EQ(attr(w.page0, MUIA_Group_ActivePage), 1);
  // At creation too: a page beyond the last is the last.
  Object* two = MUI_NewObject("Group.mui", MUIA_Group_PageMode, 1, MUIA_Group_ActivePage, 9, MUIA_Group_Child,
                              MUI_NewObject("Text.mui"), MUIA_Group_Child, MUI_NewObject("Text.mui"));
  EXPECT_EQ(attr(two, MUIA_Group_ActivePage), 1);
  MUI_DisposeObject(two);
  // The contents of a scroll group are read back as the toolkit does.
  Object* virt = MUI_NewObject("Virtgroup.mui");
  Object* scroll = MUI_NewObject("Scrollgroup.mui", MUIA_Scrollgroup_Contents, virt);
  EXPECT_EQ(attr(scroll, MUIA_Scrollgroup_Contents), reinterpret_cast<IPTR>(virt));
  MUI_DisposeObject(scroll);
  MUI_DisposeObject(w.root);
}

TEST_F(MuiGroup, MembersAreAddedAndRemoved) {
  Object* group = MUI_NewObject("Group.mui", MUIA_Group_Child, MUI_NewObject("Text.mui", MUIA_Text_Contents, "a"));
  Object* added = MUI_NewObject("Text.mui", MUIA_Text_Contents, "b");
  DoMethod(group, MUIM_Group_InitChange);
  EXPECT_EQ(DoMethod(group, OM_ADDMEMBER, added), 1);
  DoMethod(group, MUIM_Group_ExitChange);
  EXPECT_EQ(ostest::dumpMuiTree(group), "Group(V)[Text \"a\" Text \"b\"]");
  SetAttrs(group, MUIA_Disabled, 1);
  EXPECT_EQ(attr(added, MUIA_Disabled), 1);
  EXPECT_EQ(DoMethod(group, OM_REMMEMBER, added), 1);
  EXPECT_EQ(ostest::dumpMuiTree(group), "Group(V,disabled)[Text(disabled) \"a\"]");
  MUI_DisposeObject(group);
  EXPECT_EQ(ostest::liveMuiObjects(), 1);  // a removed member is the caller's
  // An object disposed while inside a group leaves it first.
  group = MUI_NewObject("Group.mui", MUIA_Group_Child, added);
  MUI_DisposeObject(added);
  EXPECT_EQ(ostest::dumpMuiTree(group), "Group(V)");
  MUI_DisposeObject(group);
}

}  // namespace
