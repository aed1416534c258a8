// Locks, the current directory, full names and device lookups.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "os/dos/dos.h"
#include "os/dos/dos_testing.h"
#include "tests/support/dos_sandbox.h"

namespace {

MsgPort* portOf(const char* device) {
  DevProc* dp = GetDeviceProc(device, nullptr);
  MsgPort* port = dp ? dp->dvp_Port : nullptr;
  FreeDeviceProc(dp);
  return port;
}

std::string fullName(BPTR lock) {
  char name[512];
  return NameFromLock(lock, name, sizeof name) ? std::string(name) : "error " + std::to_string(IoErr());
}

class DosLocks : public testing::Test {
 protected:
  void SetUp() override {
    box.writeFile("Data/file.txt", "12345");
    locksBefore = ostest::liveLockCount();
  }
  void TearDown() override { EXPECT_EQ(ostest::liveLockCount(), locksBefore) << "a lock was left behind"; }
  DosSandbox box;
  int32_t locksBefore = 0;
};

TEST_F(DosLocks, AnExclusiveLockNeedsTheObjectToItself) {
  BPTR shared = Lock("Sandbox:Data/file.txt", SHARED_LOCK);
  ASSERT_NE(shared, ZERO);
  BPTR second = Lock("Sandbox:data/FILE.txt", ACCESS_READ);
  EXPECT_NE(second, ZERO);
  EXPECT_EQ(Lock("Sandbox:Data/file.txt", EXCLUSIVE_LOCK), ZERO);
  EXPECT_EQ(IoErr(), ERROR_OBJECT_IN_USE);
  UnLock(shared);
  UnLock(second);

  BPTR exclusive = Lock("Sandbox:Data/file.txt", ACCESS_WRITE);
  ASSERT_NE(exclusive, ZERO);
  EXPECT_EQ(reinterpret_cast<FileLock*>(BADDR(exclusive))->fl_Access, EXCLUSIVE_LOCK);
  EXPECT_EQ(Lock("Sandbox:Data/file.txt", SHARED_LOCK), ZERO);
  EXPECT_EQ(IoErr(), ERROR_OBJECT_IN_USE);
  EXPECT_EQ(DupLock(exclusive), ZERO);
  EXPECT_EQ(IoErr(), ERROR_OBJECT_IN_USE);
  UnLock(exclusive);

  // Freed again: any kind of lock can be had.
  BPTR again = Lock("Sandbox:Data/file.txt", EXCLUSIVE_LOCK);
  EXPECT_NE(again, ZERO);
  UnLock(again);
}

TEST_F(DosLocks, ALockFollowsItsObjectWhenItIsRenamedAndFailsWhenItIsGone) {
  BPTR lock = Lock("Sandbox:Data/file.txt", SHARED_LOCK);
  ASSERT_NE(lock, ZERO);
  EXPECT_EQ(fullName(lock), "Sandbox:Data/file.txt");
  ASSERT_EQ(rename(box.host("Data/file.txt").c_str(), box.host("moved.txt").c_str()), 0);
  EXPECT_EQ(fullName(lock), "Sandbox:moved.txt");
  ASSERT_EQ(unlink(box.host("moved.txt").c_str()), 0);
  EXPECT_EQ(fullName(lock), "error 205");
  FileInfoBlock fib{};
  EXPECT_FALSE(Examine(lock, &fib));
  EXPECT_EQ(IoErr(), ERROR_OBJECT_NOT_FOUND);
  UnLock(lock);
}

TEST_F(DosLocks, NameFromLockNeedsRoomForTheWholeName) {
  BPTR lock = Lock("Sandbox:Data/file.txt", SHARED_LOCK);
  ASSERT_NE(lock, ZERO);
  const std::string expected = "Sandbox:Data/file.txt";
  char buffer[64];
  EXPECT_FALSE(NameFromLock(lock, buffer, static_cast<int32_t>(expected.size())));
  EXPECT_EQ(IoErr(), ERROR_LINE_TOO_LONG);
  ASSERT_TRUE(NameFromLock(lock, buffer, static_cast<int32_t>(expected.size() + 1)));
  EXPECT_EQ(buffer, expected);
  UnLock(lock);
  EXPECT_FALSE(NameFromLock(reinterpret_cast<BPTR>(buffer), buffer, sizeof buffer));  // no lock at all
  EXPECT_EQ(IoErr(), ERROR_OBJECT_WRONG_TYPE);
}

TEST_F(DosLocks, TheCurrentDirectoryIsTheProcessesOwnAndNeverTheLinuxOne) {
  char linuxBefore[4096];
  ASSERT_NE(getcwd(linuxBefore, sizeof linuxBefore), nullptr);
  BPTR data = Lock("Sandbox:Data", SHARED_LOCK);
  ASSERT_NE(data, ZERO);
  BPTR old = CurrentDir(data);
  EXPECT_EQ(reinterpret_cast<Process*>(FindTask(nullptr))->pr_CurrentDir, data);
  BPTR file = Lock("file.txt", SHARED_LOCK);
  EXPECT_EQ(fullName(file), "Sandbox:Data/file.txt");
  UnLock(file);
  char linuxAfter[4096];
  ASSERT_NE(getcwd(linuxAfter, sizeof linuxAfter), nullptr);
  EXPECT_STREQ(linuxBefore, linuxAfter);
  EXPECT_EQ(CurrentDir(old), data);
  UnLock(data);
}

TEST_F(DosLocks, TheZeroLockIsTheRootOfTheFileSystemTask) {
  EXPECT_EQ(fullName(ZERO), "Root:");
  MsgPort* sandbox = portOf("Sandbox:");
  MsgPort* old = SetFileSysTask(sandbox);
  EXPECT_EQ(fullName(ZERO), "Sandbox:");
  BPTR current = CurrentDir(ZERO);
  BPTR file = Lock("Data/file.txt", SHARED_LOCK);
  EXPECT_EQ(fullName(file), "Sandbox:Data/file.txt");
  UnLock(file);
  CurrentDir(current);
  EXPECT_EQ(SetFileSysTask(old), sandbox);
}

TEST_F(DosLocks, DeviceLookupsWalkEveryFolderOfAnAssign) {
  box.makeDir("one");
  box.makeDir("two");
  box.makeDir("three");
  ostest::assignFolders("Many", {box.host("one").c_str(), box.host("missing").c_str(), box.host("two").c_str(),
                                 box.host("three").c_str()});
  const int32_t objectsBefore = ostest::liveDosObjectCount();
  MsgPort* sandbox = portOf("Sandbox:");
  std::string seen;
  DevProc* dp = nullptr;
  while ((dp = GetDeviceProc("Many:x/y", dp)) != nullptr) {
    EXPECT_TRUE(dp->dvp_Flags & DVPF_ASSIGN);
    EXPECT_EQ(dp->dvp_Port, sandbox);  // the folders lie on Sandbox:
    seen += fullName(dp->dvp_Lock) + ";";
  }
  EXPECT_EQ(IoErr(), ERROR_NO_MORE_ENTRIES);
  // A folder is named through the assign only where the name leads back to it.
  EXPECT_EQ(seen, "Many:;Sandbox:two;Sandbox:three;");

  // The walk of expandPath: each folder becomes the file-system task and the
  // current directory while a relative name is locked there.
  box.writeFile("two/found", "");
  BPTR found = ZERO;
  while (!found && (dp = GetDeviceProc("Many:found", dp)) != nullptr) {
    MsgPort* oldTask = SetFileSysTask(dp->dvp_Port);
    BPTR oldDir = CurrentDir(dp->dvp_Lock);
    found = Lock("found", SHARED_LOCK);
    CurrentDir(oldDir);
    SetFileSysTask(oldTask);
  }
  FreeDeviceProc(dp);
  EXPECT_EQ(fullName(found), "Many:found");
  UnLock(found);
  EXPECT_EQ(ostest::liveDosObjectCount(), objectsBefore);
}

TEST_F(DosLocks, DeviceLookupsOfVolumesRelativePathsAndUnknownNames) {
  const int32_t objectsBefore = ostest::liveDosObjectCount();
  DevProc* dp = GetDeviceProc("sandbox:Data", nullptr);
  ASSERT_NE(dp, nullptr);
  EXPECT_EQ(dp->dvp_Lock, ZERO);  // a volume starts at its root
  EXPECT_STREQ(dp->dvp_Port->mp_Node.ln_Name, "Sandbox");
  EXPECT_EQ(GetDeviceProc("sandbox:Data", dp), nullptr);  // frees dp: nothing more
  EXPECT_EQ(IoErr(), ERROR_NO_MORE_ENTRIES);

  dp = GetDeviceProc("Data/file.txt", nullptr);
  ASSERT_NE(dp, nullptr);
  EXPECT_EQ(dp->dvp_Lock, reinterpret_cast<Process*>(FindTask(nullptr))->pr_CurrentDir);
  EXPECT_FALSE(dp->dvp_Flags & DVPF_UNLOCK);
  FreeDeviceProc(dp);

  EXPECT_EQ(GetDeviceProc("Nowhere:x", nullptr), nullptr);
  EXPECT_EQ(IoErr(), ERROR_DEVICE_NOT_MOUNTED);
  EXPECT_EQ(ostest::insertVolumeRequesters(), 1);
  EXPECT_EQ(ostest::liveDosObjectCount(), objectsBefore);
}

}  // namespace
