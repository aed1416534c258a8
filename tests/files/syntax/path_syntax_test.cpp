#include "files/syntax/path_syntax.h"

#include <gtest/gtest.h>

#include <string>

#include "core/arena.h"
#include "core/exception.h"
#include "core/strings/string.h"
#include "tests/files/error_text.h"
#include "tests/files/taken_text.h"

namespace {

TEST(PathConversion, ImportFile) {
  const std::pair<const char*, const char*> cases[] = {
      {"DH0:Games/Fred", "DH0:/Games/Fred"}, {"Games/Fred/", "Games/Fred"}, {"DH0:", "DH0:"},
      {"/", ""},                             {"", ""},                      {"Games//", "Games/"},
      {"Work:Old:Games", "Work:/Old:Games"}, {"//x", "//x"},
  };
  for (auto [host, canonical] : cases) EXPECT_EQ(take(ImportFilePath(host)), canonical) << host;
  EXPECT_EQ(ImportFilePath(nullptr), nullptr);
}

TEST(PathConversion, ImportDir) {
  const std::pair<const char*, const char*> cases[] = {
      {"DH0:Games", "DH0:/Games/"}, {"DH0:Games/", "DH0:/Games/"}, {"DH0:", "DH0:/"},
      {"Games", "Games/"},          {"/", "/"},                    {"", ""},
      {"Work:Old:x", "Work:/Old:x/"},
  };
  for (auto [host, canonical] : cases) EXPECT_EQ(take(ImportDirPath(host)), canonical) << host;
  EXPECT_EQ(ImportDirPath(nullptr), nullptr);
}

TEST(PathConversion, Export) {
  const std::pair<const char*, const char*> cases[] = {
      {"DH0:/Games/Fred/", "DH0:Games/Fred"}, {"DH0:/", "DH0:"}, {"DH0:/Fred", "DH0:Fred"},
      {"Games/", "Games"},                    {"", ""},         {"/", ""},
      {"Work:/Old:Games", "Work:Old:Games"},  {"a/b", "a/b"},
  };
  for (auto [canonical, host] : cases) EXPECT_EQ(take(ExportPath(canonical)), host) << canonical;
  EXPECT_EQ(ExportPath(nullptr), nullptr);
  for (const char* bad : {"DH0:Games/", "DH0:", "DH0:x"})
    EXPECT_EQ(errorOf([bad] { take(ExportPath(bad)); }), " EPU cPath(); ExportPath(); path is invalid") << bad;
}

TEST(PathConversion, RoundTripsThroughHostForm) {
  for (const char* host : {"DH0:Games/Fred", "Work:a/b/c.adf", "rel/x", "RAM:x"}) {
    char* canonical = ImportFilePath(host);
    EXPECT_EQ(take(ExportPath(canonical)), host);
    DisposeString(canonical);
    canonical = ImportDirPath(host);
    EXPECT_EQ(take(ExportPath(canonical)), host);
    DisposeString(canonical);
  }
}

TEST(PathValidity, FileAndDirPathsAndNames) {
  EXPECT_FALSE(InvalidDirPath(""));
  EXPECT_FALSE(InvalidDirPath("Work:/Old:Games/"));
  EXPECT_FALSE(InvalidDirPath("Games/"));
  EXPECT_TRUE(InvalidDirPath("Games"));
  EXPECT_TRUE(InvalidDirPath("DH0:Games/"));
  EXPECT_FALSE(InvalidFilePath("DH0:/x"));
  EXPECT_FALSE(InvalidFilePath("x"));
  EXPECT_TRUE(InvalidFilePath(""));
  EXPECT_TRUE(InvalidFilePath("x/"));
  EXPECT_TRUE(InvalidFilePath("DH0:x"));
  EXPECT_FALSE(InvalidFileName("Fred.adf"));
  EXPECT_TRUE(InvalidFileName(""));
  EXPECT_TRUE(InvalidFileName("a/b"));
  EXPECT_TRUE(InvalidFileName("a:b"));
  EXPECT_FALSE(InvalidDirName("Games"));
  EXPECT_FALSE(InvalidDirName("Games/"));
  EXPECT_FALSE(InvalidDirName("/"));
  EXPECT_TRUE(InvalidDirName("Games/Fred"));
  EXPECT_TRUE(InvalidDirName("a:"));
  EXPECT_TRUE(InvalidDirName(""));

  EXPECT_EQ(errorOf([] { InvalidDirPath(nullptr); }), " EPU cPath; InvalidDirPath(); dirPath=NILA");
  EXPECT_EQ(errorOf([] { InvalidFilePath(nullptr); }), " EPU cPath; InvalidFilePath(); filePath=NILA");
  EXPECT_EQ(errorOf([] { InvalidFileName(nullptr); }), " EPU cPath; InvalidFileName(); fileName=NILA");
  EXPECT_EQ(errorOf([] { InvalidDirName(nullptr); }), " EPU cPath; InvalidDirName(); dirName=NILA");
}

TEST(PathParts, DeviceSubPathAndName) {
  EXPECT_EQ(take(ExtractDevice("DH0:/Games/")), "DH0:/");
  EXPECT_EQ(take(ExtractDevice("DH0:Games")), "DH0:/");
  EXPECT_EQ(take(ExtractDevice("Games/")), "");

  const std::pair<const char*, const char*> sub[] = {
      {"DH0:/Games/Fred", "DH0:/Games/"}, {"DH0:/Games/Fred/", "DH0:/Games/"}, {"DH0:/Games/", "DH0:/"},
      {"DH0:/", ""}, {"Fred/", ""}, {"Fred", ""}, {"", ""}, {"/", ""},
  };
  for (auto [path, parent] : sub) EXPECT_EQ(take(ExtractSubPath(path)), parent) << path;

  struct NameCase {
    const char* path;
    const char* name;
    int32_t length;
  } names[] = {
      {"DH0:/Games/Fred", "Fred", 4}, {"DH0:/Games/", "Games/", 6}, {"Fred/", "Fred/", 5},
      {"DH0:/", "DH0:/", 5},          {"", "", 0},                  {"/", "/", 1},
      {"/x", "x", 1},
  };
  for (const NameCase& c : names) {
    int32_t length = -1;
    const char* at = FindName(c.path, &length);
    EXPECT_EQ(length, c.length) << c.path;
    EXPECT_GE(at, c.path) << c.path;  // never before the string
    EXPECT_EQ(take(ExtractName(c.path)), c.name) << c.path;
  }

  EXPECT_EQ(errorOf([] { ExtractDevice(nullptr); }), " EPU cPath; ExtractDevice(); path=NILA");
  EXPECT_EQ(errorOf([] { ExtractSubPath(nullptr); }), " EPU cPath; ExtractSubPath(); path=NIL");
  EXPECT_EQ(errorOf([] { FindName(nullptr); }), " EPU cPath; FindName(); path=NILA");
}

TEST(PathParts, EveryResultIsFreedByTheCaller) {
  const size_t before = Arena::liveCount();
  for (const char* p : {"DH0:/Games/Fred", "x/", ""}) {
    DisposeString(ExtractDevice(p));
    DisposeString(ExtractSubPath(p));
    DisposeString(ExtractName(p));
    DisposeString(ImportDirPath(p));
  }
  EXPECT_EQ(Arena::liveCount(), before);
}

}  // namespace
