// A sandbox volume for the tests of the dos.library layer, which checks at
// the end of every test that the layer gave back everything it took: locks,
// DOS objects, strings, the current directory, the file-system task and the
// window pointer.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "core/arena.h"
#include "core/strings/string.h"
#include "files/dos/own_process.h"
#include "files/dos/strings.h"
#include "os/dos/dos.h"
#include "os/dos/dos_testing.h"
#include "tests/files/taken_text.h"
#include "tests/support/dos_sandbox.h"

class DosLayerTest : public testing::Test {
 public:
  // The text of a new string (disposed here), "<NIL>" for NIL.
  static std::string take(char* s) { return ::take(s); }

 protected:
  void SetUp() override {
    disposeStaticFault();
    locks_ = ostest::liveLockCount();
    objects_ = ostest::liveDosObjectCount();
    handles_ = ostest::liveHandleCount();
    blocks_ = Arena::liveCount();
    Process* me = ownProcess();
    currentDir_ = me->pr_CurrentDir;
    task_ = me->pr_FileSystemTask;
    window_ = me->pr_WindowPtr;
  }

  void TearDown() override {
    disposeStaticFault();
    EXPECT_EQ(ostest::liveLockCount(), locks_) << "locks left";
    EXPECT_EQ(ostest::liveDosObjectCount(), objects_) << "DOS objects left";
    EXPECT_EQ(ostest::liveHandleCount(), handles_) << "file handles left";
    EXPECT_EQ(Arena::liveCount(), blocks_) << "strings left";
    Process* me = ownProcess();
    EXPECT_EQ(me->pr_CurrentDir, currentDir_);
    EXPECT_EQ(me->pr_FileSystemTask, task_);
    EXPECT_EQ(me->pr_WindowPtr, window_);
  }

  DosSandbox box;

 private:
  int32_t locks_ = 0, objects_ = 0, handles_ = 0;
  size_t blocks_ = 0;
  BPTR currentDir_ = ZERO;
  MsgPort* task_ = nullptr;
  APTR window_ = nullptr;
};
