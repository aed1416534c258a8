#include "core/box.h"

#include <gtest/gtest.h>

#include "core/arena.h"
#include "core/strings/string.h"

namespace {

TEST(Boxes, StringBoxOwnsOnlyItsCurrentString) {
  const size_t before = Arena::liveCount();
  boxSTRING* b = BoxSTRING(StrClone("first"));
  char* old = ReplaceBoxSTRING(b, StrClone("second"));
  EXPECT_STREQ(old, "first");
  EXPECT_STREQ(b->string(), "second");
  End(b);
  // The replaced string is the caller's and still intact.
  EXPECT_STREQ(old, "first");
  EXPECT_EQ(Arena::liveCount(), before + 1);
  DisposeString(old);
  EXPECT_EQ(Arena::liveCount(), before);
}

TEST(Boxes, PointerBoxLeavesItsObjectAlive) {
  class_base* game = new box;
  boxPTR* b = BoxPTR(game);
  EXPECT_EQ(b->pointer(), game);
  End(b);
  EXPECT_TRUE(game->infoIsAlive());
  End(game);
}

TEST(Boxes, ValueListAndArrayBoxes) {
  const size_t before = Arena::liveCount();
  boxVALUE* v = BoxVALUE(-1);
  EXPECT_EQ(v->value, -1);
  EXPECT_EQ(ReplaceBoxVALUE(v, 5), -1);
  EXPECT_TRUE(v->IsOfClassType("box"));
  boxLIST* l = BoxLIST(Arena::alloc(64));
  int array[3] = {1, 2, 3};
  boxARRAY* a = BoxARRAY(array);
  EXPECT_EQ(ReplaceBoxARRAY(a, nullptr), array);
  End(v);
  End(l);  // frees its list
  End(a);
  EXPECT_EQ(Arena::liveCount(), before);
}

}  // namespace
