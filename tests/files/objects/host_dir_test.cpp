// The AmigaDOS directory object on a sandbox volume: opening with and
// without force, creating and cleaning up, files that are no directories,
// children, clones, renames, attributes and extra data by name, and the
// misuse errors. The fixture checks that no lock, object or string is left.
#include "files/objects/host_dir.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "core/strings/string.h"
#include "files/dos/links.h"
#include "files/dos/probes.h"
#include "files/objects/dir_entry_list.h"
#include "files/paths/extra_ids.h"
#include "tests/files/objects/dir_object_fixture.h"

namespace {

using HostDir = DirObjectTest;

std::string text(intptr_t value) { return value ? reinterpret_cast<const char*>(value) : "<NIL>"; }
intptr_t arg(const char* s) { return reinterpret_cast<intptr_t>(s); }

TEST_F(HostDir, OpensExistingAndCreatesMissingDirectories) {
  cHostDir* dir = opened("Sandbox:/Games/", true);
  ASSERT_NE(dir, nullptr);
  EXPECT_TRUE(dir->infoIsOpen());
  EXPECT_STREQ(dir->getPath(), "Sandbox:/Games/");
  EXPECT_EQ(dir->getAttributesSupported(), 30);
  EXPECT_EQ(dir->failureReason, nullptr);
  dir->close();
  EXPECT_FALSE(dir->infoIsOpen());
  EXPECT_FALSE(dir->open("Sandbox:/Missing/", true, false));
  EXPECT_STREQ(dir->infoFailureOrigin(), "cHostDir.open()");
  EXPECT_EQ(std::string(dir->infoFailureReason()).rfind("dir does not exist", 0), 0u) << dir->failureReason;
  EXPECT_FALSE(box.exists("Missing"));
  ASSERT_TRUE(dir->open("Sandbox:/Missing/", false, false));
  EXPECT_TRUE(box.exists("Missing"));
  End(dir);
}

TEST_F(HostDir, FailedCreatingOpenRemovesWhatItCreated) {
  auto* dir = new cHostDir;
  dir->new_cBaseDir();
  ostest::failNextCall("Examine", ERROR_OBJECT_IN_USE);
  EXPECT_EQ(errorOf([dir] { dir->open("Sandbox:/New/", false, false); }),
            "FILE cHostDir.open(); failed to examine directory");
  EXPECT_FALSE(box.exists("New"));
  EXPECT_FALSE(dir->infoIsOpen());
  // A directory that was there before stays.
  ostest::failNextCall("Examine", ERROR_OBJECT_IN_USE);
  ostest::failNextCall("Examine", ERROR_OBJECT_IN_USE);
  EXPECT_EQ(errorOf([dir] { dir->open("Sandbox:/Games/Sub/", false, false); }),
            "FILE cHostDir.open(); failed to examine directory");
  EXPECT_TRUE(box.exists("Games/Sub"));
  End(dir);
}

TEST_F(HostDir, AFailedCreatingOpenLeavesALinkThatLeadsNowhereAlone) {
  std::filesystem::create_symlink("Games/Gone", box.host("dangling"));
  std::filesystem::create_symlink("loop", box.host("loop"));
  for (const std::string name : {"dangling", "loop"}) {
    const std::string path = "Sandbox:/" + name + "/";
    EXPECT_EQ(opened(path.c_str(), false), nullptr) << name;
    EXPECT_TRUE(std::filesystem::is_symlink(box.host(name))) << name;
  }
  EXPECT_FALSE(box.exists("Games/Gone"));
}

TEST_F(HostDir, AFileIsNoDirectory) {
  box.writeFile("Games/Sub/inside", "x");
  for (const bool readOnly : {true, false}) {
    auto* dir = new cHostDir;
    dir->new_cBaseDir();
    EXPECT_FALSE(dir->open("Sandbox:/Games/Fred/", readOnly, true)) << readOnly;
    EXPECT_EQ(std::string(dir->infoFailureReason()).rfind("dir does not exist", 0), 0u) << dir->failureReason;
    EXPECT_FALSE(dir->infoIsOpen());
    End(dir);
  }
  EXPECT_EQ(box.readFile("Games/Fred"), "fred");
  // Through a soft link the target counts.
  ASSERT_TRUE(MakeLink("Sandbox:fredlink", "Sandbox:Games/Fred", LINK_SOFT));
  EXPECT_EQ(opened("Sandbox:/fredlink/", true), nullptr);
  cHostDir* dir = opened("Sandbox:/gamelink/", true);
  ASSERT_NE(dir, nullptr);
  End(dir);
}

TEST_F(HostDir, ProtectionAndForce) {
  if (!xattrs()) GTEST_SKIP() << "no extended attributes here";
  ASSERT_TRUE(SetProtection("Sandbox:Games", FIBF_READ | FIBF_ARCHIVE));
  auto* dir = new cHostDir;
  dir->new_cBaseDir();
  EXPECT_FALSE(dir->open("Sandbox:/Games/", true, false));
  EXPECT_STREQ(dir->infoFailureReason(), "dir is read protected");
  ASSERT_TRUE(dir->open("Sandbox:/Games/", true, true));
  EXPECT_EQ(protectionOf("Sandbox:Games"), FIBF_ARCHIVE);
  dir->close();
  EXPECT_EQ(protectionOf("Sandbox:Games"), FIBF_READ | FIBF_ARCHIVE);

  // Write protection keeps out only a forced writable open, and only the
  // bits that were set come back.
  ASSERT_TRUE(SetProtection("Sandbox:Games", FIBF_WRITE));
  ASSERT_TRUE(dir->open("Sandbox:/Games/", false, false));
  EXPECT_EQ(protectionOf("Sandbox:Games"), FIBF_WRITE);
  dir->close();
  ASSERT_TRUE(dir->open("Sandbox:/Games/", false, true));
  EXPECT_EQ(protectionOf("Sandbox:Games"), 0);
  EXPECT_EQ(dir->getAttributes(), ATTR_READABLE | ATTR_WRITABLE | ATTR_DELETABLE);
  dir->close();
  EXPECT_EQ(protectionOf("Sandbox:Games"), FIBF_WRITE);

  // Bits cleared for an open that then fails are put back.
  ostest::failNextCall("Lock", ERROR_OBJECT_IN_USE, 1);
  EXPECT_FALSE(dir->open("Sandbox:/Games/", false, true));
  EXPECT_EQ(protectionOf("Sandbox:Games"), FIBF_WRITE);
  // A removed bit that setAttributes then sets itself is the caller's.
  ASSERT_TRUE(dir->open("Sandbox:/Games/", false, true));
  ASSERT_TRUE(dir->setAttributes(0, ATTR_DELETABLE));
  EXPECT_EQ(protectionOf("Sandbox:Games"), FIBF_DELETE);
  dir->close();
  EXPECT_EQ(protectionOf("Sandbox:Games"), FIBF_DELETE | FIBF_WRITE);
  End(dir);
}

TEST_F(HostDir, ChildKeepsTheReasonItFailedFor) {
  cHostDir* dir = opened("Sandbox:/Games/", true);
  ASSERT_NE(dir, nullptr);
  EXPECT_FALSE(dir->openChild("None/", false));
  EXPECT_TRUE(dir->infoIsOpen());
  EXPECT_STREQ(dir->getPath(), "Sandbox:/Games/");
  EXPECT_STREQ(dir->infoFailureOrigin(), "cHostDir.open()");
  ASSERT_NE(dir->infoFailureReason(), nullptr);
  EXPECT_EQ(std::string(dir->infoFailureReason()).rfind("dir does not exist", 0), 0u);
  EXPECT_FALSE(dir->openChild("Fred/", false));
  EXPECT_STREQ(dir->getPath(), "Sandbox:/Games/");

  for (const char* bad : {"Sub", "Other:/Sub/"}) {
    EXPECT_EQ(errorOf([dir, bad] { dir->openChild(bad, false); }), "EMU cHostDir.openChild(); relativePath is invalid")
        << bad;
    EXPECT_STREQ(dir->getPath(), "Sandbox:/Games/");
  }
  EXPECT_TRUE(dir->openChild("Sub/", false));
  EXPECT_STREQ(dir->getPath(), "Sandbox:/Games/Sub/");
  EXPECT_TRUE(dir->infoReadOnly());
  EXPECT_TRUE(dir->openParent(false));
  EXPECT_STREQ(dir->getPath(), "Sandbox:/Games/");
  End(dir);
}

TEST_F(HostDir, ClonesOnlyWhatAnExclusiveLockAllows) {
  cHostDir* dir = opened("Sandbox:/Games/", true);
  ASSERT_NE(dir, nullptr);
  cPath* copy = dir->clone(false);
  ASSERT_NE(copy, nullptr);
  EXPECT_STREQ(copy->InfoClassType(), "cHostDir");
  EXPECT_STREQ(copy->getPath(), "Sandbox:/Games/");
  EXPECT_TRUE(copy->infoReadOnly());
  End(copy);
  dir->close();
  ASSERT_TRUE(dir->open("Sandbox:/Games/", false, false));
  EXPECT_EQ(dir->clone(true), nullptr);
  End(dir);
}

TEST_F(HostDir, RenameWorksWhileHeldExclusively) {
  ostest::setStrictMode(true);
  cHostDir* dir = opened("Sandbox:/Games/Sub/", false);
  ASSERT_NE(dir, nullptr);
  EXPECT_TRUE(dir->setName("Renamed/"));
  EXPECT_STREQ(dir->getPath(), "Sandbox:/Games/Renamed/");
  EXPECT_TRUE(box.exists("Games/Renamed") && !box.exists("Games/Sub"));
  box.makeDir("Taken");
  EXPECT_FALSE(dir->setPath("Sandbox:/Taken/"));
  EXPECT_STREQ(dir->infoFailureOrigin(), "cHostDir.setPath()");
  EXPECT_EQ(std::string(dir->infoFailureReason()).rfind("error renaming host dir: ", 0), 0u);
  EXPECT_TRUE(dir->infoIsOpen());
  EXPECT_TRUE(dir->setSubPath("Sandbox:/"));
  EXPECT_TRUE(box.exists("Renamed"));
  // The directory is still held: nobody else gets an exclusive lock.
  EXPECT_EQ(Lock("Sandbox:Renamed", EXCLUSIVE_LOCK), ZERO);
  End(dir);
}

TEST_F(HostDir, AttributesAndExtraByName) {
  if (!xattrs()) GTEST_SKIP() << "no extended attributes here";
  ostest::setStrictMode(true);
  cHostDir* dir = opened("Sandbox:/Games/", false);
  ASSERT_NE(dir, nullptr);
  EXPECT_TRUE(dir->setAttributes(ATTR_HOST_BIT, ATTR_WRITABLE | ATTR_HOST_BIT));
  EXPECT_EQ(protectionOf("Sandbox:Games"), FIBF_WRITE | 0x80);
  EXPECT_EQ(dir->getAttributes(), ATTR_READABLE | ATTR_DELETABLE | ATTR_HOST_BIT);
  EXPECT_TRUE(dir->changeExtra(EXTRA_ATTR, FIBF_SCRIPT | FIBF_READ));  // the attribute bits stay
  EXPECT_EQ(protectionOf("Sandbox:Games"), FIBF_WRITE | 0x80 | FIBF_SCRIPT);
  EXPECT_EQ(dir->queryExtra(EXTRA_ATTR), FIBF_SCRIPT);

  const std::string longComment(100, 'c');
  EXPECT_TRUE(dir->changeExtra(EXTRA_COMM, arg(longComment.c_str())));
  EXPECT_EQ(text(dir->queryExtra(EXTRA_COMM)), longComment.substr(0, 79));

  ostest::failNextCall("SetProtection", ERROR_DISK_WRITE_PROTECTED);
  EXPECT_FALSE(dir->setAttributes(0, ATTR_ALL));
  EXPECT_STREQ(dir->infoFailureOrigin(), "cHostDir.setAttributes()");
  EXPECT_EQ(std::string(dir->infoFailureReason()).rfind("error setting dir protection bits: ", 0), 0u);
  ostest::failNextCall("SetComment", ERROR_DISK_WRITE_PROTECTED);
  EXPECT_FALSE(dir->changeExtra(EXTRA_COMM, arg("x")));
  EXPECT_STREQ(dir->infoFailureOrigin(), "cHostDir.changeExtra()");
  EXPECT_EQ(std::string(dir->infoFailureReason()).rfind("error setting dir comment: ", 0), 0u);
  int32_t status = 0;
  EXPECT_FALSE(dir->changeExtra(EXTRA_LINK, arg("Sandbox:/Games/"), &status));
  EXPECT_EQ(status, -1);
  EXPECT_TRUE(dir->infoIsOpen());

  // A copy of the extra data, taken back by another directory.
  cExtra* extra = dir->getExtra();
  ASSERT_NE(extra, nullptr);
  EXPECT_STREQ(extra->InfoClassType(), "cHostExtra");
  cHostDir* other = opened("Sandbox:/Games/Sub/", false);
  ASSERT_NE(other, nullptr);
  EXPECT_TRUE(other->setExtra(extra));
  End(extra);
  End(other);
  End(dir);  // its lock kept the entries of Games from being examined
  EXPECT_EQ(commentOf("Sandbox:Games/Sub"), longComment.substr(0, 79));
  EXPECT_EQ(protectionOf("Sandbox:Games/Sub"), FIBF_SCRIPT);
}

TEST_F(HostDir, SoftLinks) {
  cHostDir* dir = opened("Sandbox:/gamelink/", false);
  ASSERT_NE(dir, nullptr);
  EXPECT_EQ(text(dir->queryExtra(EXTRA_SLNK)), "Sandbox:/Games/");
  EXPECT_EQ(text(dir->queryExtra(EXTRA_HLNK)), "<NIL>");
  // No link any more: an empty directory takes the link's place.
  EXPECT_TRUE(dir->changeExtra(EXTRA_SLNK, 0));
  EXPECT_TRUE(dir->infoIsOpen());
  EXPECT_EQ(text(dir->queryExtra(EXTRA_LINK)), "<NIL>");
  EXPECT_TRUE(plainDir("gamelink"));
  EXPECT_TRUE(box.exists("Games/Fred"));
  // An empty directory becomes a link to an existing directory only.
  EXPECT_FALSE(dir->changeExtra(EXTRA_SLNK, arg("Sandbox:/None/")));
  EXPECT_FALSE(dir->changeExtra(EXTRA_SLNK, arg("Sandbox:/Games/Fred")));
  EXPECT_TRUE(dir->changeExtra(EXTRA_SLNK, arg("Sandbox:/Games/Sub/")));
  EXPECT_TRUE(isLink("Sandbox:gamelink"));
  EXPECT_EQ(text(dir->queryExtra(EXTRA_SLNK)), "Sandbox:/Games/Sub/");
  dir->flush();  // forgets the target; it is read again
  EXPECT_EQ(text(dir->queryExtra(EXTRA_LINK)), "Sandbox:/Games/Sub/");
  End(dir);
  // A directory cannot be a hard link here: the directory comes back.
  dir = opened("Sandbox:/Empty/", false);
  ASSERT_NE(dir, nullptr);
  EXPECT_FALSE(dir->changeExtra(EXTRA_HLNK, arg("Sandbox:/Games/")));
  EXPECT_STREQ(dir->infoFailureOrigin(), "cHostDir.changeExtra()");
  EXPECT_TRUE(dir->infoIsOpen());
  EXPECT_TRUE(plainDir("Empty"));
  End(dir);
}

TEST_F(HostDir, EntryLists) {
  cHostDir* dir = opened("Sandbox:/Games/Sub/", true);
  ASSERT_NE(dir, nullptr);
  cDirEntryList* list = dir->makeEntryList();
  EXPECT_FALSE(list->gotoFirst(ENTRY_ANY));
  End(list);
  End(dir);

  box.writeFile("Games/b", "");
  ASSERT_TRUE(MakeLink("Sandbox:Games/dirlink", "Sandbox:Games/Sub", LINK_SOFT));
  ASSERT_TRUE(MakeLink("Sandbox:Games/filelink", "Sandbox:Games/Fred", LINK_SOFT));
  ASSERT_TRUE(MakeLink("Sandbox:Games/dangling", "Sandbox:Games/none", LINK_SOFT));
  dir = opened("Sandbox:/Games/", false);
  ASSERT_NE(dir, nullptr);
  list = dir->makeEntryList();
  std::string names;
  for (bool on = list->gotoFirst(ENTRY_ANY); on; on = list->gotoNext(ENTRY_ANY)) names += list->infoName() + std::string(" ");
  EXPECT_EQ(names, "b dangling dirlink/ filelink Fred Sub/ ");
  End(list);

  testing::internal::CaptureStdout();
  ostest::failNextCall("ExAll", ERROR_DEVICE_NOT_MOUNTED);
  const std::string error = errorOf([dir] { dir->makeEntryList(); });
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "# cHostDir.makeEntryList(); ExAll() failed for path \"Sandbox:Games\" with error 218.\n");
  EXPECT_EQ(error.rfind("FILE cHostDir.makeEntryList(); ExAll() failed: ", 0), 0u) << error;
  End(dir);
}

TEST_F(HostDir, EntryListsKeepOneOfNamesEqualIgnoringCase) {
  for (const char* name : {"Dup/abc", "Dup/b", "Dup/ABC", "Dup/Abc", "Dup/0"}) box.writeFile(name);
  box.makeDir("Dup/B");
  cHostDir* dir = opened("Sandbox:/Dup/", true);
  ASSERT_NE(dir, nullptr);
  cDirEntryList* list = dir->makeEntryList();
  std::string names;
  for (bool on = list->gotoFirst(ENTRY_ANY); on; on = list->gotoNext(ENTRY_ANY)) names += list->infoName() + std::string(" ");
  // Which of abc, ABC and Abc stays depends on the folder's own order.
  EXPECT_TRUE(names == "0 abc b B/ " || names == "0 ABC b B/ " || names == "0 Abc b B/ ") << names;
  End(list);
  End(dir);
}

TEST_F(HostDir, EntryListsOverManyBatches) {
  std::string expected;
  for (int i = 0; i < 300; ++i) {
    char name[64];
    std::snprintf(name, sizeof name, "entry-with-a-rather-long-name-%03d", i);
    if (i % 3 == 0) {
      box.makeDir(std::string("Many/") + name);
      expected += std::string(name) + "/ ";
    } else {
      box.writeFile(std::string("Many/") + name);
      expected += std::string(name) + " ";
    }
  }
  cHostDir* dir = opened("Sandbox:/Many/", true);
  ASSERT_NE(dir, nullptr);
  ostest::recordCalls(true);
  cDirEntryList* list = dir->makeEntryList();
  int32_t calls = 0;
  for (const std::string& call : ostest::callLog()) calls += call == "ExAll";
  EXPECT_GE(calls, 2);
  std::string names;
  for (bool on = list->gotoFirst(ENTRY_ANY); on; on = list->gotoNext(ENTRY_ANY)) names += list->infoName() + std::string(" ");
  EXPECT_EQ(names, expected);
  End(list);
  End(dir);
}

TEST_F(HostDir, Misuse) {
  auto* dir = new cHostDir;
  dir->new_cBaseDir();
  cHostDir* d = dir;
  const std::pair<std::function<void()>, const char*> closed[] = {
      {[d] { d->setExtra(nullptr); }, "setExtra"},         {[d] { d->getExtra(); }, "getExtra"},
      {[d] { d->changeExtra(EXTRA_COMM, 0); }, "changeExtra"}, {[d] { d->queryExtra(EXTRA_COMM); }, "queryExtra"},
      {[d] { d->close(); }, "close"},                      {[d] { d->flush(); }, "flush"},
      {[d] { d->getAttributes(); }, "getAttributes"},      {[d] { d->getAttributesSupported(); }, "getAttributesSupported"},
      {[d] { d->setAttributes(0, 0); }, "setAttributes"},  {[d] { d->setPath("Sandbox:/x/"); }, "setPath"},
      {[d] { d->getPath(); }, "getPath"},                  {[d] { d->openChild("x/", false); }, "openChild"},
      {[d] { d->makeEntryList(); }, "makeEntryList"},      {[d] { d->clone(false); }, "clone"},
  };
  for (const auto& [call, name] : closed)
    EXPECT_EQ(errorOf(call), std::string("EMU cHostDir.") + name + "(); dir not open");
  EXPECT_EQ(errorOf([d] { d->openKludgeBegin(); }), "BUG cHostDir.openKludgeBegin(); kludge already started");
  EXPECT_EQ(errorOf([d] { d->open(nullptr, true, false); }), "EMU cHostDir.open(); dirPath=NIL");
  EXPECT_EQ(errorOf([d] { d->open("Sandbox:/Games", true, false); }), "EMU cHostDir.open(); dirPath is invalid");

  ASSERT_TRUE(dir->open("Sandbox:/Games/", true, false));
  const std::pair<std::function<void()>, const char*> readOnly[] = {
      {[d] { d->setExtra(nullptr); }, "setExtra"},
      {[d] { d->changeExtra(EXTRA_COMM, 0); }, "changeExtra"},
      {[d] { d->setAttributes(0, 0); }, "setAttributes"},
      {[d] { d->setPath("Sandbox:/x/"); }, "setPath"},
  };
  for (const auto& [call, name] : readOnly)
    EXPECT_EQ(errorOf(call), std::string("EMU cHostDir.") + name + "(); dir opened in read only mode");
  EXPECT_EQ(errorOf([d] { d->open("Sandbox:/Games/", true, false); }), "EMU cHostDir.open(); a dir is already open");
  EXPECT_EQ(errorOf([d] { d->openKludgeFinish(); }), "BUG cHostDir.openKludgeFinish(); kludge already finished");
  dir->close();
  ASSERT_TRUE(dir->open("Sandbox:/Games/", false, false));
  EXPECT_EQ(errorOf([d] { d->setPath(nullptr); }), "EMU cHostDir.setPath(); path=NILA");
  EXPECT_EQ(errorOf([d] { d->setPath("Sandbox:/x"); }), "EMU cHostDir.setPath(); path is invalid");
  // The directory vanishes while the lock is let go: the object ends up closed.
  dir->openKludgeBegin();
  ASSERT_TRUE(DeleteFile("Sandbox:Games/Sub"));
  ASSERT_TRUE(Rename("Sandbox:Games", "Sandbox:Gone"));
  EXPECT_EQ(errorOf([d] { d->openKludgeFinish(); }), "BUG cHostDir.openKludgeFinish(); kludge failed");
  EXPECT_FALSE(dir->infoIsOpen());
  End(dir);
}

}  // namespace
