#include "os/asl/asl.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "os/dos/dos_testing.h"
#include "os/intuition/requester_answers.h"
#include "tests/support/test_folder.h"

namespace {

class FileRequest : public ::testing::Test {
 protected:
  void SetUp() override {
    ostest::resetRequesters();
    ostest::resetDos();
    folder_ = freshTestFolder("os-asl");
    std::filesystem::create_directories(folder_ / "Games");
    ostest::mountVolume("Sand", folder_.c_str());
    SetIoErr(0);  // the process record, with its current directory lock, comes on first use
    locksBefore_ = ostest::liveLockCount();
  }
  void TearDown() override {
    EXPECT_EQ(ostest::liveLockCount(), locksBefore_);
    ostest::resetRequesters();
    ostest::resetDos();
  }

  // Shows a requester with the tags and returns it (already answered).
  FileRequester* show(const TagItem* tags, bool* chosen) {
    auto* r = static_cast<FileRequester*>(AllocAslRequest(ASL_FileRequest, tags));
    EXPECT_NE(r, nullptr);
    *chosen = AslRequest(r, nullptr);
    return r;
  }

  std::filesystem::path folder_;
  int32_t locksBefore_ = 0;
};

intptr_t text(const char* s) { return reinterpret_cast<intptr_t>(s); }

TEST_F(FileRequest, OnlyFileRequestersExist) {
  EXPECT_EQ(AllocAslRequest(1, nullptr), nullptr);
  EXPECT_FALSE(AslRequest(nullptr, nullptr));
  FreeAslRequest(nullptr);
  int notARequester = 0;
  EXPECT_FALSE(AslRequest(&notARequester, nullptr));
  FreeAslRequest(&notARequester);  // ignored
}

TEST_F(FileRequest, ChoosingOneFileFillsDrawerAndFile) {
  const TagItem tags[] = {{TAG_DONE, 0}};
  ostest::answerChoose("Sand:Games", "Fred.adf");
  bool chosen = false;
  FileRequester* r = show(tags, &chosen);
  EXPECT_TRUE(chosen);
  EXPECT_STREQ(r->fr_Drawer, "Sand:Games");
  EXPECT_STREQ(r->fr_File, "Fred.adf");
  EXPECT_EQ(r->fr_NumArgs, 0);  // no multiple selection asked for
  EXPECT_EQ(ostest::requesterLog().back().result, 1);

  // The same requester again: a drawer alone leaves the file empty.
  ostest::answerChoose("Sand:", nullptr);
  EXPECT_TRUE(AslRequest(r, nullptr));
  EXPECT_STREQ(r->fr_Drawer, "Sand:");
  EXPECT_STREQ(r->fr_File, "");
  FreeAslRequest(r);
}

TEST_F(FileRequest, MultipleSelectionListsEachFileWithTheDrawersLock) {
  const TagItem tags[] = {{ASLFR_Flags1, FRF_DOMULTISELECT}, {TAG_DONE, 0}};
  ostest::answerChooseSeveral("Sand:Games", {"a.adf", "b.adf", "c.adf"});
  bool chosen = false;
  FileRequester* r = show(tags, &chosen);
  ASSERT_TRUE(chosen);
  ASSERT_EQ(r->fr_NumArgs, 3);
  EXPECT_STREQ(r->fr_File, "a.adf");
  const char* names[] = {"a.adf", "b.adf", "c.adf"};
  for (int i = 0; i < 3; ++i) {
    EXPECT_STREQ(r->fr_ArgList[i].wa_Name, names[i]);
    char drawer[256];
    ASSERT_TRUE(NameFromLock(r->fr_ArgList[i].wa_Lock, drawer, sizeof drawer));
    EXPECT_STREQ(drawer, "Sand:Games");
  }
  EXPECT_GT(ostest::liveLockCount(), locksBefore_);
  // Asking again gives the old locks back first.
  ostest::answerCancel();
  EXPECT_FALSE(AslRequest(r, nullptr));
  EXPECT_EQ(r->fr_NumArgs, 0);
  EXPECT_EQ(ostest::liveLockCount(), locksBefore_);
  FreeAslRequest(r);
}

TEST_F(FileRequest, AnswersThatCannotBeTakenCancelAndSaySo) {
  struct Case {
    uint32_t flags1;
    void (*queue)();
    const char* note;
  };
  const Case cases[] = {
      {0, [] {}, "# requester \"Files\": no answer, Cancel\n"},
      {0, [] { ostest::answerChooseSeveral("Sand:Games", {"a", "b"}); },
       "# requester \"Files\": several files chosen without multiple selection, Cancel\n"},
      {FRF_DOMULTISELECT, [] { ostest::answerChooseSeveral("Sand:Nowhere", {"a", "b"}); },
       "# requester \"Files\": drawer \"Sand:Nowhere\" not found, Cancel\n"},
      {0, [] { ostest::answerCancel(); }, ""},
      {0, [] { ostest::answerButton(0); }, ""},
      {0, [] { ostest::answerButtonLabelled("cancel"); }, ""},
  };
  for (const Case& c : cases) {
    const TagItem tags[] = {{ASLFR_TitleText, text("Files")}, {ASLFR_Flags1, c.flags1}, {TAG_DONE, 0}};
    c.queue();
    testing::internal::CaptureStdout();
    bool chosen = true;
    FileRequester* r = show(tags, &chosen);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), c.note);
    EXPECT_FALSE(chosen) << c.note;
    EXPECT_EQ(r->fr_NumArgs, 0);
    FreeAslRequest(r);
  }
}

TEST_F(FileRequest, OkTakesWhatTheRequesterStartedWith) {
  const TagItem tags[] = {{ASLFR_InitialDrawer, text("Sand:Games")}, {ASLFR_InitialFile, text("Start.adf")}, {TAG_DONE, 0}};
  ostest::answerButton(1);
  bool chosen = false;
  FileRequester* r = show(tags, &chosen);
  EXPECT_TRUE(chosen);
  EXPECT_STREQ(r->fr_Drawer, "Sand:Games");
  EXPECT_STREQ(r->fr_File, "Start.adf");
  FreeAslRequest(r);
}

}  // namespace
