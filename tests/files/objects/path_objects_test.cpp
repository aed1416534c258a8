// The path object base classes through small stand-ins for the host
// classes: extra data copied by id, create over what stands at a path,
// renames built from the path's parts, and reopening on the parent.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/exception.h"
#include "files/objects/base_dir.h"
#include "files/objects/path.h"
#include "files/paths/path_operations.h"
#include "files/syntax/path_syntax.h"
#include "tests/files/dos_layer_fixture.h"
#include "tests/files/error_text.h"

namespace {

// Extra data held in a map; ids in `refused` fail to change.
class cMapExtra : public cExtra {
 public:
  std::map<int32_t, intptr_t> values;
  std::set<int32_t> refused;
  std::vector<int32_t> changes;

  bool changeExtra(int32_t id, intptr_t value, int32_t* status = nullptr) override {
    changes.push_back(id);
    if (status) *status = 0;
    if (refused.count(id)) return false;
    values[id] = value;
    return true;
  }
  intptr_t queryExtra(int32_t id, int32_t* status = nullptr) override {
    const auto it = values.find(id);
    if (status) *status = it == values.end() ? -1 : 0;
    return it == values.end() ? 0 : it->second;
  }
};

TEST(Extra, SetExtraCopiesTheKnownIdsInOrder) {
  static const char comment[] = "a comment";
  cMapExtra* from = new cMapExtra;
  cMapExtra* to = new cMapExtra;
  from->values = {{EXTRA_HLNK, 0}, {EXTRA_COMM, reinterpret_cast<intptr_t>(comment)}, {EXTRA_ATTR, 0x40},
                  {EXTRA_LINK, 1}};
  EXPECT_TRUE(to->setExtra(from));
  EXPECT_EQ(to->changes, (std::vector<int32_t>{EXTRA_COMM, EXTRA_ATTR, EXTRA_HLNK}));
  EXPECT_EQ(to->values, (std::map<int32_t, intptr_t>{
                            {EXTRA_COMM, reinterpret_cast<intptr_t>(comment)}, {EXTRA_ATTR, 0x40}, {EXTRA_HLNK, 0}}));
  to->refused = {EXTRA_ATTR};
  to->changes.clear();
  EXPECT_FALSE(to->setExtra(from));
  EXPECT_EQ(to->changes.size(), 3u);  // one refusal stops nothing
  EXPECT_TRUE(to->setExtra(nullptr));
  End(from);
  End(to);
}

// A directory object that opens a directory that exists (a writable one is
// made when nothing is at the path), and records what it was asked.
class cFakeDir : public cBaseDir {
 public:
  std::string path;
  bool isOpen = false;
  std::set<std::string> refused;  // paths whose open fails
  std::vector<std::string> calls;
  bool setPathAnswer = true;

  bool open(const char* p, bool readOnly, bool force) override {
    calls.push_back(std::string("open ") + p + (readOnly ? " ro" : " rw") + (force ? " force" : ""));
    clearFailure();
    if (!readOnly && !refused.count(p) && !ExistsPath(p, true)) {
      char* host = ExportPath(p);
      UnLock(CreateDir(host));
      DisposeString(host);
    }
    if (refused.count(p) || !ExistsPath(p, false)) return fail("cFakeDir.open()", "dir does not exist");
    path = p;
    isOpen = true;
    readOnlyFlag = readOnly;
    return true;
  }
  void close() override {
    calls.push_back("close");
    isOpen = false;
  }
  bool infoIsOpen() override { return isOpen; }
  const char* getPath() override { return path.c_str(); }
  bool setPath(const char* p) override {
    calls.push_back(std::string("setPath ") + p);
    if (!setPathAnswer) return fail("cFakeDir.setPath()", "error renaming host dir");
    path = p;
    return true;
  }
};

class PathObjects : public DosLayerTest {
 protected:
  void SetUp() override {
    box.makeDir("Games/Sub");
    box.writeFile("Games/Fred", "fred");
    DosLayerTest::SetUp();
    dir = new cFakeDir;
    dir->new_cBaseDir();
  }
  void TearDown() override {
    End(dir);
    DosLayerTest::TearDown();
  }
  cFakeDir* dir = nullptr;
};

TEST_F(PathObjects, CreateFailsOnlyWhenAskedToAndSomethingIsThere) {
  dir->failureOrigin = "earlier";
  EXPECT_FALSE(dir->create("Sandbox:/Games/Sub/", true, false));
  EXPECT_TRUE(dir->calls.empty());
  EXPECT_STREQ(dir->infoFailureOrigin(), "cPath.create()");
  // A file at a directory path is not of the path's kind: open is asked
  // (and fails, as the file is in the way).
  EXPECT_FALSE(dir->create("Sandbox:/Games/Fred/", true, true));
  EXPECT_EQ(dir->calls, (std::vector<std::string>{"open Sandbox:/Games/Fred/ rw force"}));
  EXPECT_TRUE(dir->create("Sandbox:/New/", true, false));
  EXPECT_TRUE(dir->infoIsOpen());
  EXPECT_FALSE(dir->infoReadOnly());
  EXPECT_TRUE(box.exists("New"));
  EXPECT_EQ(errorOf([this] { dir->create(nullptr, true, true); }), " EMU cPath.create(); path=NILA");
}

TEST_F(PathObjects, CreateDeletesWhatStandsThereFirst) {
  // Without force an object of the other kind stays, and open fails on it.
  EXPECT_FALSE(dir->create("Sandbox:/Games/Fred/", false, false));
  EXPECT_EQ(box.readFile("Games/Fred"), "fred");
  // With force it goes whatever its kind, and the directory takes its place.
  EXPECT_TRUE(dir->create("Sandbox:/Games/Fred/", false, true));
  EXPECT_TRUE(ExistsPath("Sandbox:/Games/Fred/", false));
  EXPECT_EQ(dir->calls, (std::vector<std::string>{"open Sandbox:/Games/Fred/ rw", "open Sandbox:/Games/Fred/ rw force"}));
}

TEST_F(PathObjects, RenamesFromThePathsParts) {
  struct Case {
    const char* path;
    std::function<bool(cFakeDir*)> change;
    const char* asked;
  };
  const Case cases[] = {
      {"DH0:/Games/Old", [](cFakeDir* d) { return d->setName("New"); }, "setPath DH0:/Games/New"},
      {"DH0:/Games/Old/", [](cFakeDir* d) { return d->setName("New/"); }, "setPath DH0:/Games/New/"},
      {"DH0:/Old/", [](cFakeDir* d) { return d->setSubPath("Work:/x/"); }, "setPath Work:/x/Old/"},
      {"DH0:/Games/Old", [](cFakeDir* d) { return d->setSubPath(""); }, "setPath Old"},
  };
  for (const Case& c : cases) {
    dir->path = c.path;
    dir->calls.clear();
    EXPECT_TRUE(c.change(dir)) << c.asked;
    EXPECT_EQ(dir->calls, (std::vector<std::string>{c.asked}));
  }
  dir->path = "Sandbox:/Games/Sub/";
  EXPECT_EQ(take(dir->getName()), "Sub/");
  EXPECT_EQ(take(dir->getSubPath()), "Sandbox:/Games/");
  // A failing setPath: the origin names the operation asked, the reason stays.
  dir->setPathAnswer = false;
  EXPECT_FALSE(dir->setName("Other/"));
  EXPECT_STREQ(dir->infoFailureOrigin(), "cPath.setName()");
  EXPECT_STREQ(dir->infoFailureReason(), "error renaming host dir");
  EXPECT_FALSE(dir->setSubPath("Sandbox:/"));
  EXPECT_STREQ(dir->infoFailureOrigin(), "cPath.setSubPath()");
  EXPECT_EQ(errorOf([this] { dir->setName(nullptr); }), " EMU cPath.setName(); newFileName=NILA");
  EXPECT_EQ(errorOf([this] { dir->setSubPath(nullptr); }), " EMU cPath.setSubPath(); path=NILA");
}

TEST_F(PathObjects, OpenParentGoesUpOneDirectory) {
  ASSERT_TRUE(dir->open("Sandbox:/Games/Sub/", true, false));
  dir->calls.clear();
  EXPECT_TRUE(dir->openParent(true));
  EXPECT_EQ(dir->path, "Sandbox:/Games/");
  EXPECT_EQ(dir->calls, (std::vector<std::string>{"close", "open Sandbox:/Games/ ro force"}));
  // A relative path is made absolute first.
  ASSERT_TRUE(dir->open("Games/", false, false));
  EXPECT_TRUE(dir->openParent(false));
  EXPECT_EQ(dir->path, "Sandbox:/");
  EXPECT_FALSE(dir->infoReadOnly());
}

TEST_F(PathObjects, OpenParentAtAVolumeRootStaysWhereItIs) {
  ASSERT_TRUE(dir->open("Sandbox:/", true, false));
  const BPTR games = Lock("Sandbox:Games", SHARED_LOCK);
  const BPTR old = CurrentDir(games);  // the current directory is not the root's parent
  dir->calls.clear();
  EXPECT_FALSE(dir->openParent(true));
  UnLock(CurrentDir(old));
  EXPECT_TRUE(dir->calls.empty());
  EXPECT_TRUE(dir->infoIsOpen());
  EXPECT_EQ(dir->path, "Sandbox:/");
  EXPECT_STREQ(dir->infoFailureOrigin(), "cBaseDir.openParent()");
  EXPECT_STREQ(dir->infoFailureReason(), "dir has no parent");
}

TEST_F(PathObjects, OpenParentThatFailsReopensTheDirectory) {
  ASSERT_TRUE(dir->open("Sandbox:/Games/Sub/", true, false));
  dir->refused = {"Sandbox:/Games/"};
  dir->calls.clear();
  EXPECT_FALSE(dir->openParent(false));
  EXPECT_EQ(dir->calls, (std::vector<std::string>{"close", "open Sandbox:/Games/ ro", "open Sandbox:/Games/Sub/ ro force"}));
  EXPECT_EQ(dir->path, "Sandbox:/Games/Sub/");
  EXPECT_TRUE(dir->infoIsOpen());
  EXPECT_STREQ(dir->infoFailureOrigin(), "cFakeDir.open()");
  EXPECT_STREQ(dir->infoFailureReason(), "dir does not exist");

  dir->refused.insert("Sandbox:/Games/Sub/");
  EXPECT_EQ(errorOf([this] { dir->openParent(false); }),
            " BUG cBaseDir.openParent(); failed to reopen current dir, after failed to open parent");
}

}  // namespace
