// Extra data held in memory: how a link of one kind
// survives clearing the other, and copies between extra objects.
#include "files/objects/host_extra.h"

#include <gtest/gtest.h>

#include <string>

#include "core/arena.h"
#include "files/dos/links.h"

namespace {

class HostExtra : public testing::Test {
 protected:
  void SetUp() override {
    blocks_ = Arena::liveCount();
    extra = new cHostExtra;
    extra->new_cHostExtra();
  }
  void TearDown() override {
    End(extra);
    EXPECT_EQ(Arena::liveCount(), blocks_) << "blocks left";
  }
  static std::string text(intptr_t value) {
    return value ? reinterpret_cast<const char*>(value) : "<NIL>";
  }
  static intptr_t arg(const char* s) { return reinterpret_cast<intptr_t>(s); }

  cHostExtra* extra = nullptr;

 private:
  size_t blocks_ = 0;
};

TEST_F(HostExtra, ClearingALinkTouchesOnlyThatKind) {
  struct Case {
    int32_t setId;       // the link made first (0: none, the kind stays unknown)
    int32_t clearId;     // cleared with NIL
    int32_t kindAfter;
    bool targetKept;
  };
  const Case cases[] = {
      {EXTRA_HLNK, EXTRA_SLNK, LINK_KIND_HARD, true},  {EXTRA_SLNK, EXTRA_HLNK, LINK_KIND_SOFT, true},
      {EXTRA_SLNK, EXTRA_SLNK, LINK_KIND_NONE, false}, {EXTRA_HLNK, EXTRA_HLNK, LINK_KIND_NONE, false},
      {0, EXTRA_HLNK, LINK_KIND_NONE, false},
  };
  for (const Case& c : cases) {
    End(extra);
    extra = new cHostExtra;
    extra->new_cHostExtra();
    if (c.setId) {
      ASSERT_TRUE(extra->changeExtra(c.setId, arg("Sandbox:/Games/")));
    }
    int32_t status = -1;
    EXPECT_TRUE(extra->changeExtra(c.clearId, 0, &status));
    EXPECT_EQ(status, 0);
    EXPECT_EQ(extra->linkKind, c.kindAfter);
    EXPECT_EQ(text(extra->queryExtra(EXTRA_LINK)), c.targetKept ? "Sandbox:/Games/" : "<NIL>");
    if (c.targetKept) {
      EXPECT_EQ(text(extra->queryExtra(c.setId)), "Sandbox:/Games/");
    }
  }
}

TEST_F(HostExtra, CopiesAreIndependentAndFillGaps) {
  char comment[] = "a comment";
  ASSERT_TRUE(extra->changeExtra(EXTRA_COMM, arg(comment)));
  ASSERT_TRUE(extra->changeExtra(EXTRA_ATTR, 0x40));
  ASSERT_TRUE(extra->changeExtra(EXTRA_HLNK, arg("Sandbox:/Fred")));
  comment[0] = 'A';  // the object holds a copy
  auto* copy = static_cast<cHostExtra*>(extra->getExtra());
  EXPECT_EQ(text(copy->queryExtra(EXTRA_COMM)), "a comment");
  EXPECT_EQ(copy->queryExtra(EXTRA_ATTR), 0x40);
  EXPECT_EQ(text(copy->queryExtra(EXTRA_HLNK)), "Sandbox:/Fred");
  EXPECT_EQ(text(copy->queryExtra(EXTRA_SLNK)), "<NIL>");
  // Copying from itself keeps every value.
  EXPECT_TRUE(copy->setExtra(copy));
  EXPECT_EQ(text(copy->queryExtra(EXTRA_COMM)), "a comment");
  EXPECT_EQ(text(copy->queryExtra(EXTRA_HLNK)), "Sandbox:/Fred");
  End(copy);
  EXPECT_EQ(text(extra->queryExtra(EXTRA_COMM)), "a comment");
  // An object that knows no id gives an empty comment, no protection, no link.
  auto* nothing = new cExtra;
  EXPECT_TRUE(extra->setExtra(nothing));
  End(nothing);
  EXPECT_EQ(text(extra->queryExtra(EXTRA_COMM)), "");
  EXPECT_EQ(extra->queryExtra(EXTRA_ATTR), 0);
  EXPECT_EQ(extra->linkKind, LINK_KIND_NONE);
  EXPECT_TRUE(extra->setExtra(nullptr));
  int32_t status = 0;
  EXPECT_EQ(extra->queryExtra(MakeId("XXXX"), &status), 0);
  EXPECT_EQ(status, -1);
}

}  // namespace
