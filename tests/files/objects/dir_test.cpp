// The public directory class: changes wait in the cache until flush or
// close, the disk is probed once per device in a row, refusals of the disk
// and of the host, and the module's remembered device.
#include "files/objects/dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "files/dos/links.h"
#include "files/dos/probes.h"
#include "files/paths/extra_ids.h"
#include "files/trees/dir_module.h"
#include "tests/files/objects/dir_object_fixture.h"

namespace {

using CachedDir = DirObjectTest;

std::string text(intptr_t value) { return value ? reinterpret_cast<const char*>(value) : "<NIL>"; }
intptr_t arg(const char* s) { return reinterpret_cast<intptr_t>(s); }

// Calls of the log that begin with the name of the call.
int32_t callsOf(const char* call) {
  const std::vector<std::string> log = ostest::callLog();
  return static_cast<int32_t>(std::count_if(log.begin(), log.end(), [call](const std::string& entry) {
    return entry.rfind(call, 0) == 0;
  }));
}

TEST_F(CachedDir, NothingReachesTheDiskBeforeFlush) {
  if (!xattrs()) GTEST_SKIP() << "no extended attributes here";
  cDir* dir = opened<cDir>("Sandbox:/Games/", false);
  ASSERT_NE(dir, nullptr);
  EXPECT_EQ(dir->infoFailureReason(), nullptr);
  ostest::recordCalls(true);
  EXPECT_TRUE(dir->setAttributes(ATTR_HOST_BIT, ATTR_WRITABLE | ATTR_HOST_BIT | 0x100));
  EXPECT_TRUE(dir->changeExtra(EXTRA_COMM, arg("a note")));
  EXPECT_EQ(dir->getAttributes(), ATTR_READABLE | ATTR_DELETABLE | ATTR_HOST_BIT);
  EXPECT_EQ(text(dir->queryExtra(EXTRA_COMM)), "a note");
  cExtra* copy = dir->getExtra();
  EXPECT_EQ(text(copy->queryExtra(EXTRA_COMM)), "a note");
  End(copy);
  EXPECT_EQ(callsOf("SetProtection") + callsOf("SetComment"), 0);
  EXPECT_EQ(protectionOf("Sandbox:Games"), 0);
  EXPECT_EQ(commentOf("Sandbox:Games"), "");
  dir->flush();
  EXPECT_EQ(protectionOf("Sandbox:Games"), FIBF_WRITE | 0x80);
  EXPECT_EQ(commentOf("Sandbox:Games"), "a note");
  // Ending an open object writes what is still cached.
  EXPECT_TRUE(dir->changeExtra(EXTRA_COMM, arg("at the end")));
  End(dir);
  EXPECT_EQ(commentOf("Sandbox:Games"), "at the end");
}

TEST_F(CachedDir, DiskProbedOncePerDeviceInARow) {
  box.makeDir("other");
  ostest::mountVolume("Other", box.host("other").c_str());
  ostest::recordCalls(true);
  const std::pair<const char*, int32_t> opens[] = {
      {"Sandbox:/Games/", 1}, {"Sandbox:/Games/Sub/", 0}, {"Other:/", 1}, {"Sandbox:/Games/", 1},
      {"Sandbox:/Games/", 0},
  };
  for (const auto& [path, probes] : opens) {
    ostest::recordCalls(true);
    cDir* dir = opened<cDir>(path, false);
    ASSERT_NE(dir, nullptr) << path;
    // Attributes and the extra data's protection bits are written back.
    EXPECT_EQ(callsOf("SetProtection"), 2 * probes) << path;
    EXPECT_EQ(callsOf("SetComment"), probes) << path;
    End(dir);
  }
  EXPECT_STREQ(dirDiskName, "Sandbox:/");
  EXPECT_EQ(dirDiskSupports, DIR_ATTRIBUTES | DIR_EXTRA);
  // A read-only open probes nothing.
  disposeDirDiskSupport();
  ostest::recordCalls(true);
  cDir* dir = opened<cDir>("Sandbox:/Games/", true);
  ASSERT_NE(dir, nullptr);
  EXPECT_EQ(callsOf("SetProtection") + callsOf("SetComment"), 0);
  EXPECT_EQ(dirDiskName, nullptr);
  End(dir);
  ostest::dismountVolume("Other");
}

TEST_F(CachedDir, WhatTheDiskRefuses) {
  ostest::failNextCall("SetProtection", ERROR_ACTION_NOT_KNOWN);
  ostest::failNextCall("SetComment", ERROR_ACTION_NOT_KNOWN);
  cDir* dir = opened<cDir>("Sandbox:/Games/", false);
  ASSERT_NE(dir, nullptr);
  EXPECT_EQ(dirDiskSupports, 0);
  EXPECT_EQ(dir->infoFailureOrigin(), nullptr);  // the probes are no failure of the open
  EXPECT_FALSE(dir->setAttributes(0, ATTR_ALL));
  EXPECT_STREQ(dir->infoFailureOrigin(), "cDir.setAttributes()");
  EXPECT_STREQ(dir->infoFailureReason(), "not supported by disk");
  EXPECT_EQ(dir->getAttributes(), ATTR_ALL & ~ATTR_HOST_BIT);
  // Extra data is still tried on flush; refused, the cache shows the disk's.
  EXPECT_TRUE(dir->changeExtra(EXTRA_COMM, arg("x")));
  ostest::setVolumeTraits("Sandbox", ostest::TRAIT_NO_COMMENTS);
  dir->flush();
  EXPECT_EQ(text(dir->queryExtra(EXTRA_COMM)), "");
  int32_t status = 0;
  EXPECT_FALSE(dir->changeExtra(EXTRA_LINK, arg("Sandbox:/x/"), &status));
  EXPECT_EQ(status, -1);
  EXPECT_STREQ(dir->infoFailureOrigin(), "cDir.changeExtra()");
  EXPECT_STREQ(dir->infoFailureReason(), "not supported by host");
  End(dir);
  ostest::setVolumeTraits("Sandbox", 0);
}

TEST_F(CachedDir, FailedFlushStillCloses) {
  cDir* dir = opened<cDir>("Sandbox:/Games/", false);
  ASSERT_NE(dir, nullptr);
  EXPECT_TRUE(dir->changeExtra(EXTRA_COMM, arg("x")));
  ostest::failNextCall("SetComment", ERROR_DISK_WRITE_PROTECTED);
  EXPECT_EQ(errorOf([dir] { dir->close(); }), "FILE cDir.flush(); failed to set one of more of: attributes, extra");
  EXPECT_FALSE(dir->infoIsOpen());
  // Nothing is left dirty to fail again.
  ASSERT_TRUE(dir->open("Sandbox:/Games/", false, false));
  dir->close();
  EXPECT_EQ(commentOf("Sandbox:Games"), "");
  // Ending passes the error on, and the object is gone all the same.
  ASSERT_TRUE(dir->open("Sandbox:/Games/", false, false));
  EXPECT_TRUE(dir->changeExtra(EXTRA_COMM, arg("x")));
  ostest::failNextCall("SetComment", ERROR_DISK_WRITE_PROTECTED);
  EXPECT_EQ(errorOf([&dir] { End(dir); }), "FILE cDir.flush(); failed to set one of more of: attributes, extra");
  EXPECT_EQ(dir, nullptr);
}

TEST_F(CachedDir, LinkWrittenBackStaysAsItIs) {
  cDir* dir = opened<cDir>("Sandbox:/gamelink/", false);
  ASSERT_NE(dir, nullptr);
  dir->flush();  // the directory forgets what it knew of its link
  ostest::recordCalls(true);
  EXPECT_TRUE(dir->changeExtra(EXTRA_COMM, arg("")));
  dir->flush();
  EXPECT_EQ(callsOf("DeleteFile") + callsOf("MakeLink"), 0);
  EXPECT_EQ(text(dir->queryExtra(EXTRA_SLNK)), "Sandbox:/Games/");
  End(dir);
}

TEST_F(CachedDir, ReadOnlyObjectsFollowTheDisk) {
  cDir* dir = opened<cDir>("Sandbox:/Games/", true);
  ASSERT_NE(dir, nullptr);
  cDir* d = dir;
  EXPECT_EQ(errorOf([d] { d->setAttributes(0, ATTR_ALL); }), "EMU cDir.setAttributes(); dir opened in read only mode");
  EXPECT_EQ(errorOf([d] { d->changeExtra(EXTRA_COMM, arg("x")); }),
            "EMU cDir.changeExtra(); dir opened in read only mode");
  EXPECT_EQ(errorOf([d] { d->setExtra(nullptr); }), "EMU cDir.setExtra(); dir opened in read only mode");
  ASSERT_TRUE(SetComment("Sandbox:Games", "changed outside"));
  EXPECT_EQ(text(dir->queryExtra(EXTRA_COMM)), "");
  dir->flush();
  EXPECT_EQ(text(dir->queryExtra(EXTRA_COMM)), "changed outside");
  cPath* copy = dir->clone(false);
  ASSERT_NE(copy, nullptr);
  EXPECT_STREQ(copy->InfoClassType(), "cDir");
  End(copy);
  dir->close();
  EXPECT_EQ(errorOf([d] { d->setAttributes(0, ATTR_ALL); }), "EMU cDir.setAttributes(); dir not open");
  End(dir);
}

TEST_F(CachedDir, LinksAreMadeAtOnce) {
  cDir* dir = opened<cDir>("Sandbox:/Empty/", false);
  ASSERT_NE(dir, nullptr);
  EXPECT_TRUE(dir->changeExtra(EXTRA_SLNK, arg("Sandbox:/Games/")));
  EXPECT_TRUE(isLink("Sandbox:Empty"));
  EXPECT_EQ(text(dir->queryExtra(EXTRA_SLNK)), "Sandbox:/Games/");
  End(dir);
  EXPECT_TRUE(isLink("Sandbox:Empty"));
}

TEST_F(CachedDir, ModuleForgetsTheProbedDevice) {
  end_cpath_dir();  // safe when nothing was probed
  new_cpath_dir();
  cDir* dir = opened<cDir>("Sandbox:/Games/", false);
  ASSERT_NE(dir, nullptr);
  End(dir);
  EXPECT_STREQ(dirDiskName, "Sandbox:/");
  end_cpath_dir();
  EXPECT_EQ(dirDiskName, nullptr);
  EXPECT_EQ(dirDiskSupports, 0);
}

}  // namespace
