// Absolute paths and links: expanding paths with and without following
// links, reading and making links, targets relative to their link's folder,
// and assigns of several folders.
#include <gtest/gtest.h>

#include <string>

#include "files/dos/expand.h"
#include "files/dos/links.h"
#include "files/dos/path_parts.h"
#include "tests/files/dos_layer_fixture.h"

namespace {

class DosLinks : public DosLayerTest {
 protected:
  void SetUp() override {
    box.writeFile("dir/file.txt", "hello");
    ASSERT_TRUE(easyMakeLink("Sandbox:softdir", "Sandbox:dir", true));
    ASSERT_TRUE(easyMakeLink("Sandbox:dir/softfile", "Sandbox:dir/file.txt", true));
    ASSERT_TRUE(easyMakeLink("Sandbox:dangling", "Sandbox:gone", true));
    ASSERT_TRUE(easyMakeLink("Sandbox:hard.txt", "Sandbox:dir/file.txt", false));
    DosLayerTest::SetUp();
  }
};

TEST_F(DosLinks, ExpandedPaths) {
  struct Case {
    const char* path;
    bool keepLink;
    const char* expanded;
  };
  const Case cases[] = {
      {"dir/file.txt", false, "Sandbox:dir/file.txt"},
      {"SANDBOX:DIR", false, "Sandbox:dir"},
      {"Sandbox:softdir", true, "Sandbox:softdir"},
      {"Sandbox:softdir", false, "Sandbox:dir"},
      {"softdir/file.txt", true, "Sandbox:dir/file.txt"},  // only the final part is kept as a link
      {"Sandbox:dir/softfile", true, "Sandbox:dir/softfile"},
      {"Sandbox:dir/softfile", false, "Sandbox:dir/file.txt"},
      {"Sandbox:dangling", true, "Sandbox:dangling"},
      {"Sandbox:dangling", false, "Sandbox:dangling"},
      {"dir/new.txt", false, "Sandbox:dir/new.txt"},        // placed by its folder
      {"nodir/new.txt", false, "Sandbox:nodir/new.txt"},    // placed by the current directory
      {"Nowhere:x", false, "Nowhere:x"},
      {"Sandbox:", false, "Sandbox:"},
  };
  for (const Case& c : cases) EXPECT_EQ(take(expandPath(c.path, c.keepLink)), c.expanded) << c.path << " " << c.keepLink;
  EXPECT_EQ(take(expandPath(nullptr, true)), "<NIL>");

  const BPTR dir = Lock("Sandbox:dir", SHARED_LOCK);
  const BPTR old = CurrentDir(dir);
  EXPECT_EQ(take(expandPath("new.txt", false)), "Sandbox:dir/new.txt");
  EXPECT_EQ(take(expandPath("/softdir", true)), "Sandbox:softdir");
  EXPECT_EQ(take(expandPathForCreation("a/b/c")), "Sandbox:dir/a/b/c");
  CurrentDir(old);
  UnLock(dir);
  EXPECT_EQ(take(expandPathForCreation("PROGDIR:x/y")), "PROGDIR:x/y");
  EXPECT_EQ(take(expandPathForCreation("Nowhere:x")), "Nowhere:x");
}

TEST_F(DosLinks, ReadingLinksAndTheirKinds) {
  struct Case {
    const char* path;
    bool quick;
    const char* target;
    int32_t kind;
  };
  const Case cases[] = {
      {"Sandbox:softdir", false, "Sandbox:dir", LINK_KIND_SOFT},
      {"Sandbox:softdir", true, "Sandbox:dir", LINK_KIND_UNKNOWN},
      {"dir/softfile", false, "Sandbox:dir/file.txt", LINK_KIND_SOFT},
      {"Sandbox:dangling", false, "Sandbox:gone", LINK_KIND_SOFT},
      {"Sandbox:dir", false, "<NIL>", LINK_KIND_NONE},
      {"Sandbox:dir/file.txt", true, "<NIL>", LINK_KIND_NONE},
      {"Sandbox:missing", false, "<NIL>", LINK_KIND_NONE},
      {"Nowhere:x", false, "<NIL>", LINK_KIND_NONE},
  };
  for (const Case& c : cases) {
    int32_t kind = -1;
    EXPECT_EQ(take(easyReadLink(c.path, &kind, c.quick)), c.target) << c.path;
    EXPECT_EQ(kind, c.kind) << c.path;
  }
  EXPECT_EQ(take(easyReadLink("Sandbox:softdir")), "Sandbox:dir");
  EXPECT_FALSE(easyMakeLink("Sandbox:hard2.txt", "Sandbox:missing", false));
  EXPECT_FALSE(easyMakeLink("Sandbox:softdir", "Sandbox:dir", true));  // there already
}

TEST_F(DosLinks, LongTargetsComeBackWhole) {
  const std::string relative = std::string(200, 'a') + "/" + std::string(200, 'b');
  box.makeDir(relative);
  const std::string folder = "Sandbox:" + relative;
  ASSERT_TRUE(easyMakeLink("Sandbox:far", folder.c_str(), true));
  EXPECT_EQ(take(easyReadLink("Sandbox:far")), folder);
  // A shorter link read after it gives only its own target.
  EXPECT_EQ(take(easyReadLink("Sandbox:softdir")), "Sandbox:dir");
}

TEST_F(DosLinks, TargetsRelativeToTheLinksFolder) {
  const BPTR dir = Lock("Sandbox:dir", SHARED_LOCK);
  const BPTR old = CurrentDir(dir);  // somewhere else than the links' folder
  struct Case {
    const char* link;
    const char* target;
    const char* path;
  };
  const Case cases[] = {
      {"Sandbox:softdir", "sub/x", "Sandbox:sub/x"},
      {"Sandbox:dir/softfile", "file.txt", "Sandbox:dir/file.txt"},
      {"Sandbox:dir/softfile", "/other", "Sandbox:dir//other"},
      {"Sandbox:softdir", "Work:abs", "Work:abs"},
  };
  for (const Case& c : cases) EXPECT_EQ(take(linkTargetPath(c.link, c.target)), c.path) << c.link << " " << c.target;
  EXPECT_EQ(take(linkTargetPath("Sandbox:softdir", nullptr)), "<NIL>");
  CurrentDir(old);
  UnLock(dir);
}

TEST_F(DosLinks, CanonicalTargets) {
  int32_t kind = -1;
  EXPECT_EQ(take(getDirLink("Sandbox:softdir", &kind)), "Sandbox:/dir/");
  EXPECT_EQ(kind, LINK_KIND_SOFT);
  EXPECT_EQ(take(getFileLink("Sandbox:dir/softfile", &kind)), "Sandbox:/dir/file.txt");
  EXPECT_EQ(kind, LINK_KIND_SOFT);
  EXPECT_EQ(take(getFileLink("Sandbox:dir/file.txt", &kind)), "<NIL>");
  EXPECT_EQ(kind, LINK_KIND_NONE);
}

TEST_F(DosLinks, AssignsOfSeveralFoldersAreSearchedInTurn) {
  box.makeDir("one");
  box.makeDir("two");
  ASSERT_TRUE(easyMakeLink("Sandbox:two/link", "Sandbox:dir", true));
  box.writeFile("two/only-two.txt", "2");
  ostest::assignFolders("Multi", {box.host("one").c_str(), box.host("two").c_str()});
  int32_t kind = -1;
  EXPECT_EQ(take(easyReadLink("Multi:link", &kind)), "Sandbox:dir");
  EXPECT_EQ(kind, LINK_KIND_SOFT);
  EXPECT_EQ(take(expandPath("Multi:link", true)), "Sandbox:two/link");
  EXPECT_EQ(take(expandPath("Multi:only-two.txt", true)), "Multi:only-two.txt");
  EXPECT_EQ(take(expandPath("Multi:only-two.txt", false)), "Multi:only-two.txt");
}

}  // namespace
