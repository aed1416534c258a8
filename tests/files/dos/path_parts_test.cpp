// Splitting and joining host paths, and full paths of locks.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/exception.h"
#include "files/dos/path_parts.h"
#include "tests/files/dos_layer_fixture.h"

namespace {

std::string text(char* s) { return DosLayerTest::take(s); }

TEST(DosPathParts, SplittingKeepsWhatAmigaDosCallsTheParts) {
  struct Case {
    const char* path;
    const char* subPath;    // strSubPathPart
    const char* file;       // splitPath / strSubFilePart
    const char* splitDir;   // splitPath's second result
  };
  const Case cases[] = {
      {"DH0:Games/Fred", "DH0:Games", "Fred", "DH0:Games/"},
      {"DH0:Fred", "DH0:", "Fred", "DH0:"},
      {"DH0:", "DH0:", "", "DH0:"},
      {"Fred", "", "Fred", ""},
      {"a/b/c", "a/b", "c", "a/b/"},
      {"/Fred", "/", "Fred", "/"},
      {"a//b", "a//", "b", "a//"},
      {"DH0:Games/", "DH0:Games", "", "DH0:Games/"},
      {"", "", "", ""},
  };
  const size_t before = Arena::liveCount();
  for (const Case& c : cases) {
    EXPECT_EQ(text(strSubPathPart(c.path)), c.subPath) << c.path;
    EXPECT_EQ(text(strSubFilePart(c.path)), c.file) << c.path;
    char* dir = nullptr;
    EXPECT_EQ(text(splitPath(c.path, &dir)), c.file) << c.path;
    ASSERT_NE(dir, nullptr);
    EXPECT_GE(StrMax(dir), 1);
    EXPECT_EQ(text(dir), c.splitDir) << c.path;
  }
  EXPECT_EQ(text(strSubPathPart(nullptr)), "<NIL>");
  char* dir = reinterpret_cast<char*>(1);
  EXPECT_EQ(text(splitPath(nullptr, &dir)), "<NIL>");
  EXPECT_EQ(dir, nullptr);
  EXPECT_EQ(Arena::liveCount(), before);
}

TEST(DosPathParts, JoiningAddsOneSeparatorOrTakesAnAbsoluteName) {
  struct Case {
    const char* dir;
    const char* name;
    bool parentOnly;
    const char* joined;
  };
  const Case cases[] = {
      {"DH0:Games", "Fred", false, "DH0:Games/Fred"},
      {"DH0:", "Fred", false, "DH0:Fred"},
      {"DH0:Games/", "Fred", false, "DH0:Games/Fred"},
      {"", "Fred", false, "Fred"},
      {"DH0:Games", "Work:x", false, "Work:x"},
      {"DH0:Games/Old", "Fred", true, "DH0:Games/Fred"},
      {"DH0:Old", "Fred", true, "DH0:Fred"},
      {"Old", "Fred", true, "Fred"},
      {"DH0:Games", "", false, "DH0:Games"},
      {"DH0:Games/link", "/x", true, "DH0:Games//x"},
  };
  for (const Case& c : cases) {
    char* joined = strJoinPart(c.dir, c.name, c.parentOnly);
    EXPECT_GE(StrMax(joined), static_cast<int32_t>(std::strlen(c.dir) + std::strlen(c.name) + 2));
    EXPECT_EQ(text(joined), c.joined) << c.dir << " + " << c.name;
  }
}

using DosFullPath = DosLayerTest;

TEST_F(DosFullPath, JoinsTheNameOfTheLockWithTheName) {
  box.makeDir("Games/Fred");
  BPTR games = Lock("Sandbox:Games", SHARED_LOCK);
  struct Case {
    BPTR lock;
    const char* name;
    const char* path;
  };
  const Case cases[] = {
      {games, "Fred", "Sandbox:Games/Fred"},
      {games, "", "Sandbox:Games"},
      {games, nullptr, "Sandbox:Games"},
      {games, "Work:x", "Work:x"},
      {games, "a (1) [!].adf", "Sandbox:Games/a (1) [!].adf"},
  };
  for (const Case& c : cases) EXPECT_EQ(take(fullPath(c.lock, c.name)), c.path) << (c.name ? c.name : "NIL");
  UnLock(games);
  // A lock that is no lock has no name.
  FileInfoBlock notALock{};
  EXPECT_EQ(take(fullPath(reinterpret_cast<BPTR>(&notALock), "x")), "<NIL>");
}

}  // namespace
