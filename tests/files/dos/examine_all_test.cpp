// examineAll: the entry asked for and no other, whatever characters its name
// holds, by pattern or by the slow scan.
#include <gtest/gtest.h>

#include <string>

#include "files/dos/links.h"
#include "files/dos/probes.h"
#include "tests/files/dos_layer_fixture.h"

namespace {

using DosExamineAll = DosLayerTest;

// Names with pattern characters, each beside a decoy that the name would
// match if it were taken as a pattern.
struct NamedEntry {
  const char* name;
  const char* decoy;
};
const NamedEntry namedEntries[] = {
    {"Game (USA).nes", "Game USA.nes"},  {"Sonic [!].md", "Sonic !.md"}, {"#1 Hit.mod", "11 Hit.mod"},
    {"it's.txt", "its.txt"},             {"~tilde.txt", "other.txt"},    {"What?.txt", "WhatX.txt"},
    {"a|b.txt", "b.txt"},                {"(open.txt", "open.txt"},      {"plain.txt", "plain.txt.bak"},
};

std::string examinedName(const char* path, int32_t* type = nullptr, int32_t* size = nullptr) {
  auto* fib = static_cast<FileInfoBlock*>(AllocDosObject(DOS_FIB, nullptr));
  std::string name = examineAll(path, fib) ? fib->fib_FileName : "<none>";
  if (type) *type = fib->fib_DirEntryType;
  if (size) *size = fib->fib_Size;
  FreeDosObject(DOS_FIB, fib);
  return name;
}

void examineEachName(DosSandbox& box, const char* folder) {
  for (const NamedEntry& e : namedEntries) {
    box.writeFile(std::string(folder) + "/" + e.decoy, "decoy!");
    box.writeFile(std::string(folder) + "/" + e.name, "x");
  }
  for (const NamedEntry& e : namedEntries) {
    int32_t size = 0;
    const std::string path = std::string("Sandbox:") + folder + "/" + e.name;
    EXPECT_EQ(examinedName(path.c_str(), nullptr, &size), e.name);
    EXPECT_EQ(size, 1) << e.name;
  }
}

TEST_F(DosExamineAll, PatternCharactersInNamesMatchOnlyThemselves) { examineEachName(box, "names"); }

TEST_F(DosExamineAll, TheSlowScanFindsTheSameEntries) {
  ostest::setVolumeTraits("Sandbox", ostest::TRAIT_NO_EXALL);
  examineEachName(box, "slow");
  ostest::setVolumeTraits("Sandbox", 0);
}

TEST_F(DosExamineAll, FindsEntriesIgnoringCaseAndPrefersTheExactName) {
  box.writeFile("Readme", "1");
  box.writeFile("README", "22");
  box.writeFile("Only.TXT", "333");
  struct Case {
    const char* path;
    const char* name;
    int32_t size;
  };
  const Case cases[] = {
      {"Sandbox:README", "README", 2}, {"Sandbox:Readme", "Readme", 1}, {"Sandbox:only.txt", "Only.TXT", 3}};
  for (const Case& c : cases) {
    int32_t size = 0;
    EXPECT_EQ(examinedName(c.path, nullptr, &size), c.name);
    EXPECT_EQ(size, c.size) << c.path;
  }
}

TEST_F(DosExamineAll, ExaminesTheLinkNotItsTarget) {
  box.makeDir("dir");
  ASSERT_TRUE(easyMakeLink("Sandbox:link", "Sandbox:dir", true));
  int32_t type = 0;
  EXPECT_EQ(examinedName("Sandbox:link", &type), "link");
  EXPECT_EQ(type, ST_SOFTLINK);
  EXPECT_EQ(examinedName("Sandbox:dir", &type), "dir");
  EXPECT_EQ(type, ST_USERDIR);
}

TEST_F(DosExamineAll, LongNamesAndMissingEntries) {
  // A record for this name does not fit the small scan buffer: the slow scan finds it.
  const std::string longName(200, 'n');
  box.writeFile(longName, "abc");
  int32_t size = 0;
  EXPECT_EQ(examinedName(("Sandbox:" + longName).c_str(), nullptr, &size), longName);
  EXPECT_EQ(size, 3);
  EXPECT_EQ(examinedName("Sandbox:missing"), "<none>");
  EXPECT_EQ(examinedName("Sandbox:nodir/missing"), "<none>");
  EXPECT_EQ(examinedName("Nowhere:x"), "<none>");
  EXPECT_FALSE(examineAll(nullptr, nullptr));
}

TEST_F(DosExamineAll, CopiesWhatExamineGives) {
  box.writeFile("data.bin", std::string(1234, 'd'));
  if (ostest::hasExtendedAttributes(box.root().c_str())) {
    ASSERT_TRUE(SetComment("Sandbox:data.bin", "A comment"));
    ASSERT_TRUE(SetProtection("Sandbox:data.bin", FIBF_ARCHIVE | FIBF_DELETE));
  }
  struct DateStamp date{9000, 61, 1250};
  ASSERT_TRUE(SetFileDate("Sandbox:data.bin", &date));

  auto* byLock = static_cast<FileInfoBlock*>(AllocDosObject(DOS_FIB, nullptr));
  auto* byParent = static_cast<FileInfoBlock*>(AllocDosObject(DOS_FIB, nullptr));
  const BPTR lock = Lock("Sandbox:data.bin", SHARED_LOCK);
  ASSERT_TRUE(Examine(lock, byLock));
  UnLock(lock);
  ASSERT_TRUE(examineAll("Sandbox:data.bin", byParent));
  EXPECT_EQ(byParent->fib_DirEntryType, byLock->fib_DirEntryType);
  EXPECT_STREQ(byParent->fib_FileName, "data.bin");
  EXPECT_EQ(byParent->fib_Size, 1234);
  EXPECT_EQ(byParent->fib_Protection, byLock->fib_Protection);
  EXPECT_STREQ(byParent->fib_Comment, byLock->fib_Comment);
  EXPECT_EQ(byParent->fib_Date.ds_Days, 9000);
  EXPECT_EQ(byParent->fib_Date.ds_Minute, 61);
  EXPECT_EQ(byParent->fib_Date.ds_Tick, 1250);
  FreeDosObject(DOS_FIB, byLock);
  FreeDosObject(DOS_FIB, byParent);
}

}  // namespace
