// Examine, ExNext, ExAll and ExamineFH over one sandbox folder.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "os/dos/dos.h"
#include "os/dos/dos_testing.h"
#include "os/dos/file_handles.h"
#include "os/dos/metadata.h"
#include "tests/support/dos_sandbox.h"
#include "tests/support/unprivileged.h"

namespace {

struct Entry {
  int32_t type;
  uint32_t size;
  int32_t protection;
  std::string comment;
  bool operator==(const Entry&) const = default;
};
using Listing = std::map<std::string, Entry>;

Listing listByExNext(const char* folder) {
  Listing out;
  BPTR lock = Lock(folder, SHARED_LOCK);
  if (!lock) return out;
  auto* fib = static_cast<FileInfoBlock*>(AllocDosObject(DOS_FIB, nullptr));
  if (Examine(lock, fib)) {
    while (ExNext(lock, fib))
      out[fib->fib_FileName] = {fib->fib_DirEntryType, static_cast<uint32_t>(fib->fib_Size), fib->fib_Protection,
                                fib->fib_Comment};
    EXPECT_EQ(IoErr(), ERROR_NO_MORE_ENTRIES);
  }
  FreeDosObject(DOS_FIB, fib);
  UnLock(lock);
  return out;
}

// All entries by ExAll, in batches that fit `bufferSize`; *batches counts the
// calls. Fields beyond the data type `level` stay 0 (and "").
Listing listByExAll(const char* folder, const char* pattern, int32_t bufferSize, int* batches = nullptr,
                    int32_t level = ED_COMMENT) {
  Listing out;
  BPTR lock = Lock(folder, SHARED_LOCK);
  if (!lock) return out;
  auto* control = static_cast<ExAllControl*>(AllocDosObject(DOS_EXALLCONTROL, nullptr));
  std::vector<char> parsed(pattern ? 2 * strlen(pattern) + 2 : 1);
  if (pattern) {
    EXPECT_GE(ParsePatternNoCase(pattern, parsed.data(), static_cast<int32_t>(parsed.size())), 0);
    control->eac_MatchString = parsed.data();
  }
  std::vector<uint64_t> buffer(static_cast<size_t>(bufferSize + 7) / 8);
  auto* data = reinterpret_cast<ExAllData*>(buffer.data());
  bool more;
  int calls = 0;
  do {
    more = ExAll(lock, data, bufferSize, level, control);
    ++calls;
    if (!more) {
      EXPECT_EQ(IoErr(), ERROR_NO_MORE_ENTRIES);
    }
    uint32_t counted = 0;
    for (ExAllData* ed = control->eac_Entries ? data : nullptr; ed; ed = ed->ed_Next, ++counted)
      out[ed->ed_Name] = {level >= ED_TYPE ? ed->ed_Type : 0, level >= ED_SIZE ? ed->ed_Size : 0,
                          level >= ED_PROTECTION ? static_cast<int32_t>(ed->ed_Prot) : 0,
                          level >= ED_COMMENT ? ed->ed_Comment : ""};
    EXPECT_EQ(counted, control->eac_Entries);
  } while (more && calls < 1000);
  if (batches) *batches = calls;
  FreeDosObject(DOS_EXALLCONTROL, control);
  UnLock(lock);
  return out;
}

class DosExamine : public testing::Test {
 protected:
  void SetUp() override {
    box.writeFile("Games/Alpha.adf", std::string(901120, 'a'));
    box.writeFile("Games/beta.ADF", "bb");
    box.writeFile("Games/Gamma.info", "ggg");
    box.writeFile("Games/Read Me", "");
    box.makeDir("Games/Sub");
    symlink("Alpha.adf", box.host("Games/Link").c_str());
    objectsBefore = ostest::liveDosObjectCount();
    locksBefore = ostest::liveLockCount();
  }
  void TearDown() override {
    EXPECT_EQ(ostest::liveDosObjectCount(), objectsBefore);
    EXPECT_EQ(ostest::liveLockCount(), locksBefore);
  }
  bool hasAttributes() {
    return setxattr(box.host("Games/beta.ADF").c_str(), "user.ludex.probe", "1", 1, 0) == 0;
  }
  DosSandbox box;
  int32_t objectsBefore = 0, locksBefore = 0;
};

TEST_F(DosExamine, ExNextAndExAllAgreeOnTheSameFolderWhateverTheBufferSize) {
  const Listing byExNext = listByExNext("Sandbox:Games");
  ASSERT_EQ(byExNext.size(), 6u);
  EXPECT_EQ(byExNext.at("Alpha.adf").type, ST_FILE);
  EXPECT_EQ(byExNext.at("Alpha.adf").size, 901120u);
  EXPECT_EQ(byExNext.at("Sub").type, ST_USERDIR);
  EXPECT_EQ(byExNext.at("Sub").size, 0u);
  EXPECT_EQ(byExNext.at("Link").type, ST_SOFTLINK);  // a link is listed as itself

  int batches = 0;
  EXPECT_EQ(listByExAll("Sandbox:Games", nullptr, 4096, &batches), byExNext);
  EXPECT_EQ(batches, 1);
  EXPECT_EQ(listByExAll("Sandbox:Games", nullptr, 90, &batches), byExNext);  // about one record a call
  EXPECT_GE(batches, 6);
}

// The full description cut down to what a data type holds.
Listing upTo(const Listing& full, int32_t level) {
  Listing out;
  for (const auto& [name, e] : full)
    out[name] = {level >= ED_TYPE ? e.type : 0, level >= ED_SIZE ? e.size : 0, level >= ED_PROTECTION ? e.protection : 0,
                 level >= ED_COMMENT ? e.comment : ""};
  return out;
}

TEST_F(DosExamine, EachExAllDataTypeGivesItsFieldsAsExNextDescribesThem) {
  if (hasAttributes()) {
    ASSERT_TRUE(SetComment("Sandbox:Games/beta.ADF", "two bytes"));
    ASSERT_TRUE(SetProtection("Sandbox:Games/Gamma.info", FIBF_WRITE | FIBF_ARCHIVE));
  }
  const Listing full = listByExNext("Sandbox:Games");
  ASSERT_EQ(full.size(), 6u);
  for (int32_t level : {ED_NAME, ED_TYPE, ED_SIZE, ED_PROTECTION, ED_DATE, ED_COMMENT})
    EXPECT_EQ(listByExAll("Sandbox:Games", nullptr, 4096, nullptr, level), upTo(full, level)) << level;
}

TEST_F(DosExamine, NamesAndKindsComeFromTheListingAlone) {
  const Listing kinds = upTo(listByExNext("Sandbox:Games"), ED_TYPE);
  // Objects deleted after the scan began are not looked at again: their
  // names and kinds are what the folder's listing recorded.
  BPTR lock = Lock("Sandbox:Games", SHARED_LOCK);
  ASSERT_NE(lock, ZERO);
  auto* control = static_cast<ExAllControl*>(AllocDosObject(DOS_EXALLCONTROL, nullptr));
  uint64_t buffer[8];
  auto* data = reinterpret_cast<ExAllData*>(buffer);
  Listing listed;
  bool more = true;
  for (int call = 0; more && call < 100; ++call) {
    more = ExAll(lock, data, sizeof buffer, ED_TYPE, control);
    for (ExAllData* ed = control->eac_Entries ? data : nullptr; ed; ed = ed->ed_Next) listed[ed->ed_Name] = {ed->ed_Type, 0, 0, ""};
    if (call == 0) {
      std::filesystem::remove_all(box.host("Games"));
      box.makeDir("Games");
    }
  }
  EXPECT_EQ(IoErr(), ERROR_NO_MORE_ENTRIES);
  FreeDosObject(DOS_EXALLCONTROL, control);
  UnLock(lock);
  EXPECT_EQ(listed, kinds);
}

TEST_F(DosExamine, PatternsChooseTheEntriesExAllGives) {
  const struct {
    const char* pattern;
    std::set<std::string> names;
  } cases[] = {
      {"#?.adf", {"Alpha.adf", "beta.ADF"}},
      {"~(#?.adf)", {"Gamma.info", "Read Me", "Sub", "Link"}},
      {"(alpha|gamma)#?", {"Alpha.adf", "Gamma.info"}},
      {"[a-c]#?", {"Alpha.adf", "beta.ADF"}},
      {"sub", {"Sub"}},
      {"Read' Me", {"Read Me"}},
      {"#?.lha", {}},
  };
  for (const auto& c : cases) {
    std::set<std::string> names;
    for (const auto& [name, entry] : listByExAll("Sandbox:Games", c.pattern, 4096)) names.insert(name);
    EXPECT_EQ(names, c.names) << c.pattern;
  }
}

TEST_F(DosExamine, ExAllRecordsHoldTheFieldsUpToTheTypeAskedFor) {
  BPTR lock = Lock("Sandbox:Games", SHARED_LOCK);
  auto* control = static_cast<ExAllControl*>(AllocDosObject(DOS_EXALLCONTROL, nullptr));
  char parsed[32];
  ASSERT_EQ(ParsePatternNoCase("gamma.info", parsed, sizeof parsed), 0);
  control->eac_MatchString = parsed;
  alignas(8) char buffer[200];
  std::fill(std::begin(buffer), std::end(buffer), '\x55');
  EXPECT_FALSE(ExAll(lock, reinterpret_cast<ExAllData*>(buffer), sizeof buffer, ED_NAME, control));
  ASSERT_EQ(control->eac_Entries, 1u);
  auto* ed = reinterpret_cast<ExAllData*>(buffer);
  EXPECT_STREQ(ed->ed_Name, "Gamma.info");
  EXPECT_EQ(ed->ed_Next, nullptr);
  // The name follows the short record directly: nothing was written past it.
  EXPECT_EQ(ed->ed_Name, buffer + 2 * sizeof(void*));
  EXPECT_EQ(buffer[2 * sizeof(void*) + 16], '\x55');

  EXPECT_FALSE(ExAll(lock, reinterpret_cast<ExAllData*>(buffer), sizeof buffer, ED_DATE, control));
  ASSERT_EQ(control->eac_Entries, 1u);
  EXPECT_EQ(ed->ed_Type, ST_FILE);
  EXPECT_EQ(ed->ed_Size, 3u);
  struct stat st;
  ASSERT_EQ(stat(box.host("Games/Gamma.info").c_str(), &st), 0);
  struct DateStamp expected;
  dosmeta::dateStampOf(st.st_mtim, &expected);
  EXPECT_EQ(ed->ed_Days, static_cast<uint32_t>(expected.ds_Days));
  EXPECT_EQ(ed->ed_Mins, static_cast<uint32_t>(expected.ds_Minute));
  EXPECT_EQ(ed->ed_Ticks, static_cast<uint32_t>(expected.ds_Tick));

  EXPECT_FALSE(ExAll(lock, reinterpret_cast<ExAllData*>(buffer), sizeof buffer, 99, control));
  EXPECT_EQ(IoErr(), ERROR_ACTION_NOT_KNOWN);
  FreeDosObject(DOS_EXALLCONTROL, control);
  UnLock(lock);
}

TEST_F(DosExamine, ExAllReportsABufferTooSmallForOneRecordAndCanBeEndedEarly) {
  BPTR lock = Lock("Sandbox:Games", SHARED_LOCK);
  auto* control = static_cast<ExAllControl*>(AllocDosObject(DOS_EXALLCONTROL, nullptr));
  alignas(8) char tiny[24];
  EXPECT_FALSE(ExAll(lock, reinterpret_cast<ExAllData*>(tiny), sizeof tiny, ED_COMMENT, control));
  EXPECT_EQ(IoErr(), ERROR_LINE_TOO_LONG);
  EXPECT_EQ(control->eac_Entries, 0u);

  alignas(8) char buffer[100];
  control->eac_LastKey = 0;
  ASSERT_TRUE(ExAll(lock, reinterpret_cast<ExAllData*>(buffer), sizeof buffer, ED_COMMENT, control));
  EXPECT_GE(control->eac_Entries, 1u);
  ExAllEnd(lock, reinterpret_cast<ExAllData*>(buffer), sizeof buffer, ED_COMMENT, control);
  EXPECT_EQ(control->eac_LastKey, 0u);
  // A file is no folder to scan.
  BPTR file = Lock("Sandbox:Games/beta.adf", SHARED_LOCK);
  EXPECT_FALSE(ExAll(file, reinterpret_cast<ExAllData*>(buffer), sizeof buffer, ED_NAME, control));
  EXPECT_EQ(IoErr(), ERROR_OBJECT_WRONG_TYPE);
  FileInfoBlock fib{};
  EXPECT_TRUE(Examine(file, &fib));
  EXPECT_FALSE(ExNext(file, &fib));
  EXPECT_EQ(IoErr(), ERROR_OBJECT_WRONG_TYPE);
  UnLock(file);
  FreeDosObject(DOS_EXALLCONTROL, control);
  UnLock(lock);
}

TEST_F(DosExamine, NamesAFullExAllListedAreFoundAgainAfterOtherProgramsChanges) {
  // A folder long unchanged: a whole ExAll listing of it may stand as its
  // names for the lookups that follow. Each step lists it so, then another
  // program changes it; every lookup must see the change.
  const auto listStill = [this] {
    struct timespec old[2] = {{1000000000, 0}, {1000000000, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, box.host("Games").c_str(), old, 0), 0);
    ASSERT_FALSE(listByExAll("Sandbox:Games", nullptr, 4096, nullptr, ED_TYPE).empty());
  };
  // What Lock and Examine find: the name on disk, or "error N".
  const auto found = [](const char* path) {
    BPTR lock = Lock(path, SHARED_LOCK);
    if (!lock) return "error " + std::to_string(IoErr());
    FileInfoBlock fib{};
    const bool ok = Examine(lock, &fib);
    UnLock(lock);
    return ok ? std::string(fib.fib_FileName) : "error " + std::to_string(IoErr());
  };
  const struct {
    const char* step;
    std::function<void()> change;
    std::vector<std::pair<const char*, const char*>> lookups;  // path, what is found
  } steps[] = {
      {"another program adds a name", [this] { box.writeFile("Games/ZETA"); },
       {{"Sandbox:Games/zeta", "ZETA"}, {"Sandbox:Games/alpha.adf", "Alpha.adf"}}},
      {"deletes one", [this] { ASSERT_EQ(unlink(box.host("Games/Alpha.adf").c_str()), 0); },
       {{"Sandbox:Games/Alpha.adf", "error 205"}, {"Sandbox:Games/alpha.ADF", "error 205"}}},
      {"changes one's case", [this] {
         ASSERT_EQ(rename(box.host("Games/beta.ADF").c_str(), box.host("Games/BETA.adf").c_str()), 0);
       },
       {{"Sandbox:Games/beta.ADF", "BETA.adf"}, {"Sandbox:Games/Beta.adf", "BETA.adf"}}},
      {"adds a name equal to one ignoring case", [this] { box.writeFile("Games/zeta"); },
       {{"Sandbox:Games/Zeta", "error 205"}, {"Sandbox:Games/zeta", "zeta"}, {"Sandbox:Games/ZETA", "ZETA"}}},
  };
  for (const auto& s : steps) {
    listStill();
    s.change();
    // Each path twice: the second look may be answered from the folder's names.
    for (int look = 0; look < 2; ++look)
      for (const auto& [path, expected] : s.lookups) EXPECT_EQ(found(path), expected) << s.step << ": " << path;
  }
}

TEST_F(DosExamine, ExNextGoesOnOverTheEntriesListedAtItsFirstCallAndSkipsDeletedOnes) {
  BPTR lock = Lock("Sandbox:Games", SHARED_LOCK);
  FileInfoBlock fib{};
  ASSERT_TRUE(Examine(lock, &fib));
  EXPECT_EQ(fib.fib_DirEntryType, ST_USERDIR);
  EXPECT_STREQ(fib.fib_FileName, "Games");
  ASSERT_TRUE(ExNext(lock, &fib));
  std::set<std::string> seen = {fib.fib_FileName};
  for (const char* name : {"Alpha.adf", "beta.ADF", "Gamma.info", "Read Me", "Link"})
    if (!seen.count(name)) unlink(box.host(std::string("Games/") + name).c_str());
  box.writeFile("Games/Later", "");
  while (ExNext(lock, &fib)) seen.insert(fib.fib_FileName);
  EXPECT_EQ(IoErr(), ERROR_NO_MORE_ENTRIES);
  EXPECT_LE(seen.size(), 2u);  // the first entry, and Sub when it was not first
  EXPECT_FALSE(seen.count("Later"));
  UnLock(lock);
}

TEST_F(DosExamine, EntriesThatCannotBeExaminedFailTheListingInsteadOfEndingIt) {
  // A folder that may be read but not searched: its names can be listed, its
  // entries not examined.
  box.writeFile("Locked/a", "1");
  box.writeFile("Locked/b", "2");
  const ChildResult child = runWithUnsearchableFolder(box.host("Locked"), [] {
    BPTR lock = Lock("Sandbox:Locked", SHARED_LOCK);
    if (!lock) return 1;
    FileInfoBlock fib{};
    std::printf("Examine %d\n", Examine(lock, &fib) ? 1 : 0);
    for (int i = 0; i < 4; ++i) {
      const bool more = ExNext(lock, &fib);
      std::printf("ExNext %d %ld\n", more ? 1 : 0, static_cast<long>(IoErr()));
      if (!more && IoErr() == ERROR_NO_MORE_ENTRIES) break;
    }
    auto* control = static_cast<ExAllControl*>(AllocDosObject(DOS_EXALLCONTROL, nullptr));
    std::vector<uint64_t> buffer(1024);
    const bool more = ExAll(lock, reinterpret_cast<ExAllData*>(buffer.data()), 8192, ED_NAME, control);
    std::printf("ExAll %d %ld %lu\n", more ? 1 : 0, static_cast<long>(IoErr()),
                static_cast<unsigned long>(control->eac_Entries));
    FreeDosObject(DOS_EXALLCONTROL, control);
    UnLock(lock);
    return 0;
  });
  if (child.exitCode == CANNOT_DROP_ROOT) GTEST_SKIP() << "no ordinary user to run as here";
  EXPECT_EQ(child.exitCode, 0);
  // Each entry fails with "read protected" (224); only after them the end (232).
  EXPECT_EQ(child.output,
            "Examine 1\n"
            "ExNext 0 224\n"
            "ExNext 0 224\n"
            "ExNext 0 232\n"
            "ExAll 0 224 0\n");
}

TEST_F(DosExamine, ExamineNamesAVolumeRootByItsVolumeAndFollowsLinks) {
  FileInfoBlock fib{};
  BPTR root = Lock("Sandbox:", SHARED_LOCK);
  ASSERT_TRUE(Examine(root, &fib));
  EXPECT_EQ(fib.fib_DirEntryType, ST_ROOT);
  EXPECT_STREQ(fib.fib_FileName, "Sandbox");
  UnLock(root);

  BPTR link = Lock("Sandbox:Games/Link", SHARED_LOCK);
  ASSERT_TRUE(Examine(link, &fib));
  EXPECT_EQ(fib.fib_DirEntryType, ST_FILE);
  EXPECT_EQ(fib.fib_Size, 901120);
  EXPECT_STREQ(fib.fib_FileName, "Alpha.adf");
  UnLock(link);
}

TEST_F(DosExamine, ProtectionAndCommentComeFromExtendedAttributes) {
  if (!hasAttributes()) GTEST_SKIP() << "the sandbox's file system keeps no extended attributes";
  const std::string path = box.host("Games/beta.ADF");
  ASSERT_EQ(setxattr(path.c_str(), dosmeta::PROTECTION_ATTR, "000000f5", 8, 0), 0);
  const std::string comment(100, 'c');
  ASSERT_EQ(setxattr(path.c_str(), dosmeta::COMMENT_ATTR, comment.data(), comment.size(), 0), 0);

  FileInfoBlock fib{};
  BPTR lock = Lock("Sandbox:Games/beta.adf", SHARED_LOCK);
  ASSERT_TRUE(Examine(lock, &fib));
  UnLock(lock);
  EXPECT_EQ(fib.fib_Protection, 0xf5);
  EXPECT_EQ(std::string(fib.fib_Comment), comment.substr(0, 79));

  const Listing listed = listByExAll("Sandbox:Games", "beta.adf", 4096);
  ASSERT_EQ(listed.size(), 1u);
  EXPECT_EQ(listed.at("beta.ADF").protection, 0xf5);
  EXPECT_EQ(listed.at("beta.ADF").comment, comment.substr(0, 79));
  EXPECT_EQ(listByExNext("Sandbox:Games").at("beta.ADF"), listed.at("beta.ADF"));
}

TEST_F(DosExamine, OnlyNamesRecordedAsHardLinksReportTheHardLinkType) {
  if (!hasAttributes()) GTEST_SKIP() << "the sandbox's file system keeps no extended attributes";
  ASSERT_EQ(link(box.host("Games/Gamma.info").c_str(), box.host("Games/Other").c_str()), 0);
  const Listing plain = listByExNext("Sandbox:Games");
  EXPECT_EQ(plain.at("Gamma.info").type, ST_FILE);  // never guessed from the link count
  EXPECT_EQ(plain.at("Other").type, ST_FILE);

  struct stat folder;
  ASSERT_EQ(stat(box.host("Games").c_str(), &folder), 0);
  const std::string record = dosmeta::hardLinkLine(folder, "Other") + "\n";
  ASSERT_EQ(setxattr(box.host("Games/Other").c_str(), dosmeta::HARDLINK_ATTR, record.data(), record.size(), 0), 0);
  const Listing recorded = listByExAll("Sandbox:Games", nullptr, 4096);
  EXPECT_EQ(recorded.at("Gamma.info").type, ST_FILE);
  EXPECT_EQ(recorded.at("Other").type, ST_LINKFILE);
  EXPECT_EQ(listByExNext("Sandbox:Games"), recorded);
  FileInfoBlock fib{};
  BPTR lock = Lock("Sandbox:Games/Other", SHARED_LOCK);
  ASSERT_TRUE(Examine(lock, &fib));
  EXPECT_EQ(fib.fib_DirEntryType, ST_LINKFILE);
  UnLock(lock);

  // The record follows a rename of the link and goes with its deletion.
  ASSERT_TRUE(Rename("Sandbox:Games/Other", "Sandbox:Games/Sub/Moved"));
  EXPECT_EQ(listByExNext("Sandbox:Games/Sub").at("Moved").type, ST_LINKFILE);
  ASSERT_TRUE(DeleteFile("Sandbox:Games/Sub/Moved"));
  char value[256];
  EXPECT_LT(getxattr(box.host("Games/Gamma.info").c_str(), dosmeta::HARDLINK_ATTR, value, sizeof value), 0);
}

TEST_F(DosExamine, AFileHandleIsExaminedAndNamedLikeALock) {
  const int fd = open(box.host("Games/beta.ADF").c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_GE(fd, 0);
  BPTR fh = dosfh::adoptDescriptor(fd, 1005);
  FileInfoBlock fib{};
  ASSERT_TRUE(ExamineFH(fh, &fib));
  EXPECT_STREQ(fib.fib_FileName, "beta.ADF");
  EXPECT_EQ(fib.fib_Size, 2);
  char name[256];
  ASSERT_TRUE(NameFromFH(fh, name, sizeof name));
  EXPECT_STREQ(name, "Sandbox:Games/beta.ADF");
  ASSERT_TRUE(NameFromLock(fh, name, sizeof name));  // a handle is taken where a lock is
  EXPECT_STREQ(name, "Sandbox:Games/beta.ADF");
  EXPECT_STREQ(reinterpret_cast<FileHandle*>(fh)->fh_Type->mp_Node.ln_Name, "Sandbox");
  BPTR lock = Lock("Sandbox:Games", SHARED_LOCK);
  EXPECT_FALSE(ExamineFH(lock, &fib));  // a lock is no handle
  EXPECT_EQ(IoErr(), ERROR_OBJECT_WRONG_TYPE);
  UnLock(lock);
  dosfh::dispose(fh);
  EXPECT_EQ(ostest::liveHandleCount(), 0);

  BPTR nil = dosfh::adoptDescriptor(open("/dev/null", O_RDWR | O_CLOEXEC), 1006);
  ASSERT_TRUE(NameFromFH(nil, name, sizeof name));
  EXPECT_STREQ(name, "NIL:");
  dosfh::dispose(nil);
}

}  // namespace
