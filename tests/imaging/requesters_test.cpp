#include "imaging/requesters.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "core/arena.h"
#include "core/exception.h"
#include "core/strings/string.h"
#include "os/asl/asl.h"
#include "os/dos/dos.h"
#include "os/dos/dos_testing.h"
#include "os/exec/exec.h"
#include "os/gadtools/gadtools.h"
#include "os/intuition/requester_answers.h"
#include "platform/system_libraries.h"
#include "tests/support/test_folder.h"

namespace {

intptr_t text(const char* s) { return reinterpret_cast<intptr_t>(s); }

// The strings of a chain, which is then disposed.
std::vector<std::string> takeChain(char* chain) {
  std::vector<std::string> out;
  for (char* s = chain; s; s = StrNext(s)) out.emplace_back(s);
  DisposeString(chain);
  return out;
}

class Requesters : public ::testing::Test {
 protected:
  void SetUp() override {
    ostest::resetRequesters();
    ostest::resetDos();
    folder_ = freshTestFolder("imaging-requesters");
    std::filesystem::create_directories(folder_ / "Games");
    ostest::mountVolume("Sand", folder_.c_str());
    SetIoErr(0);  // the process record comes on first use
    locks_ = ostest::liveLockCount();
    blocks_ = Arena::liveCount();
  }
  void TearDown() override {
    EXPECT_EQ(Arena::liveCount(), blocks_);
    EXPECT_EQ(ostest::liveLockCount(), locks_);
    ostest::resetRequesters();
    ostest::resetDos();
  }
  static const RequesterRecord& lastShown() { return ostest::requesterLog().back(); }

  std::filesystem::path folder_;
  int32_t locks_ = 0;
  size_t blocks_ = 0;
};

TEST_F(Requesters, OkIsOneAndCancelOrCloseIsZero) {
  struct Case {
    void (*answer)();
    int32_t result;
  };
  const Case cases[] = {
      {[] { ostest::answerButton(1); }, 1},
      {[] { ostest::answerButtonLabelled("Cancel"); }, 0},
      {[] { ostest::answerCancel(); }, 0},  // the close gadget
  };
  for (const Case& c : cases) {
    c.answer();
    EXPECT_EQ(requestChoice2("Ludex", "Do you really want to remove:\n%s", "OK|Cancel"), c.result);
    EXPECT_EQ(lastShown().buttons, (std::vector<std::string>{"OK", "Cancel"}));
    EXPECT_FALSE(lastShown().hasWindow);
  }
}

TEST_F(Requesters, TheBodyTakesTheArgumentsAndAParentWindow) {
  const intptr_t args[] = {text("WHDLoad")};
  ostest::answerButton(0);
  EXPECT_EQ(requestChoice2("Ludex", "You did not supply the program \"%s\".", "OK", args), 0);
  EXPECT_EQ(lastShown().title, "Ludex");
  EXPECT_EQ(lastShown().body, "You did not supply the program \"WHDLoad\".");

  ostest::answerButton(2);
  const intptr_t numbers[] = {3, 12};
  Window* parent = reinterpret_cast<Window*>(0x4000);
  EXPECT_EQ(requestChoice("Ludex", "%ld of %ld", "A|B|C", numbers, parent), 2);
  EXPECT_EQ(lastShown().body, "3 of 12");
  EXPECT_TRUE(lastShown().hasWindow);
}

// Without an argument list the body's placeholders never read memory: the one
// value 0 stands for the first (a string of nothing), the rest stay as written.
TEST_F(Requesters, APlaceholderWithoutArgumentsReadsNothing) {
  ostest::answerButton(0);
  EXPECT_EQ(requestChoice2("Ludex", "Remove \"%s\" and \"%s\"?", "OK"), 0);
  EXPECT_EQ(lastShown().body, "Remove \"\" and \"%s\"?");
  ostest::answerButton(0);
  EXPECT_EQ(requestChoice2("Ludex", "%ld games, %lu left", "OK"), 0);
  EXPECT_EQ(lastShown().body, "0 games, %lu left");
}

TEST_F(Requesters, TheFileRequesterStartsWithTheVolumesOrInTheDrawer) {
  ostest::answerCancel();
  ostest::answerCancel();
  EXPECT_EQ(requestFile(nullptr, nullptr, nullptr, nullptr, 0), nullptr);
  EXPECT_EQ(requestFile("Sand:Games", "Fred", "#?.adf", "Drop a file or folder here", 0xFF), nullptr);
  ASSERT_EQ(ostest::requesterLog().size(), 2u);

  const RequesterRecord& plain = ostest::requesterLog()[0];
  EXPECT_EQ(plain.title, "Select File");
  EXPECT_TRUE(plain.showVolumes);
  EXPECT_FALSE(plain.hasInitialDrawer);
  EXPECT_FALSE(plain.hasInitialFile);
  EXPECT_FALSE(plain.hasInitialPattern);
  EXPECT_FALSE(plain.doPatterns);
  EXPECT_EQ(plain.flags1, 0u);
  EXPECT_EQ(plain.flags2, 0u);

  const RequesterRecord& full = ostest::requesterLog()[1];
  EXPECT_EQ(full.title, "Drop a file or folder here");
  EXPECT_FALSE(full.showVolumes);
  EXPECT_EQ(full.initialDrawer, "Sand:Games");
  EXPECT_EQ(full.initialFile, "Fred");
  EXPECT_EQ(full.initialPattern, "#?.adf");
  EXPECT_TRUE(full.doPatterns);
  EXPECT_EQ(full.flags1, FRF_DOSAVEMODE | FRF_DOMULTISELECT);
  EXPECT_EQ(full.flags2, FRF_DRAWERSONLY | FRF_REJECTICONS);
}

TEST_F(Requesters, ExtraTagsComeLast) {
  const TagItem more[] = {{ASLFR_TitleText, text("Overridden")}, {TAG_DONE, 0}};
  ostest::answerCancel();
  EXPECT_EQ(requestFile(nullptr, nullptr, nullptr, "Title", 0, more), nullptr);
  EXPECT_EQ(lastShown().title, "Overridden");
}

TEST_F(Requesters, AChosenFileIsJoinedToItsDrawer) {
  struct Case {
    const char* drawer;
    const char* file;
    const char* path;
  };
  const Case cases[] = {
      {"Sand:Games", "Fred.adf", "Sand:Games/Fred.adf"},
      {"Sand:", "Fred.adf", "Sand:Fred.adf"},
      {"Sand:Games/", "Fred.adf", "Sand:Games/Fred.adf"},
      {"", "Fred.adf", "Fred.adf"},
      {"Sand:Games", nullptr, "Sand:Games"},  // a drawer with no file name
      {"Sand:", nullptr, "Sand:"},
  };
  for (const Case& c : cases) {
    ostest::answerChoose(c.drawer, c.file);
    char* path = requestFile("Sand:", nullptr, nullptr, nullptr, 0);
    ASSERT_NE(path, nullptr) << c.path;
    EXPECT_STREQ(path, c.path);
    EXPECT_EQ(StrNext(path), nullptr);
    EXPECT_EQ(EstrLen(path), static_cast<int32_t>(std::strlen(c.path)));
    DisposeString(path);
  }
}

TEST_F(Requesters, SeveralFilesGiveAChainOfFullPathsInOrder) {
  ostest::answerChooseSeveral("sand:games", {"c.adf", "a.adf", "b.adf"});
  char* chain = requestFile("Sand:", nullptr, nullptr, nullptr, FRF_DOMULTISELECT);
  EXPECT_EQ(takeChain(chain), (std::vector<std::string>{"Sand:Games/c.adf", "Sand:Games/a.adf", "Sand:Games/b.adf"}));

  // One file in a multiple selection is a chain of one.
  ostest::answerChooseSeveral("Sand:", {"x"});
  EXPECT_EQ(takeChain(requestFile(nullptr, nullptr, nullptr, nullptr, FRF_DOMULTISELECT)),
            std::vector<std::string>{"Sand:x"});
}

TEST_F(Requesters, CancelOrNoAnswerGivesNil) {
  ostest::answerCancel();
  EXPECT_EQ(requestFile(nullptr, nullptr, nullptr, "Pick", 0), nullptr);
  testing::internal::CaptureStdout();
  EXPECT_EQ(requestFile(nullptr, nullptr, nullptr, "Pick", 0), nullptr);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "# requester \"Pick\": no answer, Cancel\n");
}

// Start-up opens asl.library and gadtools.library unless the library modules
// already did, and gives back only what it opened itself.
TEST(RequesterModule, OpensWhatIsNotOpenYetAndClosesOnlyThat) {
  Library* asl = OpenLibrary("asl.library", 39);
  Library* gadtools = OpenLibrary("gadtools.library", 39);
  ASSERT_NE(asl, nullptr);
  ASSERT_NE(gadtools, nullptr);
  const int32_t aslUsers = asl->lib_OpenCnt;
  const int32_t gadtoolsUsers = gadtools->lib_OpenCnt;

  AslBase = asl;  // as if start-up had opened asl.library
  GadToolsBase = nullptr;
  new_pamiga_requesters();
  EXPECT_EQ(AslBase, asl);
  EXPECT_EQ(asl->lib_OpenCnt, aslUsers);
  EXPECT_EQ(GadToolsBase, gadtools);
  EXPECT_EQ(gadtools->lib_OpenCnt, gadtoolsUsers + 1);
  EXPECT_EQ(textRequesterStringTags[0].ti_Tag, GT_Underscore);
  EXPECT_EQ(textRequesterStringTags[0].ti_Data, '_');
  EXPECT_EQ(textRequesterButtonTags[1].ti_Tag, TAG_DONE);

  end_pamiga_requesters();
  EXPECT_EQ(AslBase, asl);
  EXPECT_EQ(GadToolsBase, nullptr);
  EXPECT_EQ(gadtools->lib_OpenCnt, gadtoolsUsers);
  end_pamiga_requesters();  // safe to run twice
  AslBase = nullptr;
  CloseLibrary(asl);
  CloseLibrary(gadtools);
}

TEST(RequesterModule, AMissingLibraryEndsStartUpWithReturnCode10) {
  for (const char* missing : {"asl.library", "gadtools.library"}) {
    AslBase = nullptr;
    GadToolsBase = nullptr;
    ostest::markLibraryMissing(missing);
    int32_t code = -1;
    try {
      new_pamiga_requesters();
    } catch (const Exception& e) {
      EXPECT_EQ(e.id(), ORDERLY_EXIT_ID);
      code = e.exitCode();
    }
    ostest::restoreLibraries();
    end_pamiga_requesters();
    EXPECT_EQ(code, 10) << missing;
    EXPECT_EQ(AslBase, nullptr);
    EXPECT_EQ(GadToolsBase, nullptr);
  }
}

}  // namespace
