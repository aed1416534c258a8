#include "imaging/text_requester.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/arena.h"
#include "core/strings/string.h"
#include "imaging/windows.h"
#include "os/intuition/requester_answers.h"
#include "tests/support/expect_error.h"

namespace {

class TextRequester : public ::testing::Test {
 protected:
  void SetUp() override {
    ostest::resetRequesters();
    blocks_ = Arena::liveCount();
    windows_ = ostest::openWindowCount();
  }
  void TearDown() override {
    EXPECT_EQ(Arena::liveCount(), blocks_);
    EXPECT_EQ(ostest::openWindowCount(), windows_);
    EXPECT_EQ(ostest::pubScreenLocks(), 0);
    ostest::resetRequesters();
  }
  // The offered texts of the text requesters shown so far.
  static std::vector<std::string> offered() {
    std::vector<std::string> texts;
    for (const RequesterRecord& r : ostest::requesterLog())
      if (r.kind == RequesterRecord::Kind::Text) texts.push_back(r.initialText);
    return texts;
  }
  static std::string take(char* s) {
    std::string text = s ? s : "(NIL)";
    DisposeString(s);
    return text;
  }
  int64_t blocks_ = 0;
  int32_t windows_ = 0;
};

TEST_F(TextRequester, AnswersGiveTheTextOrNil) {
  struct Case {
    void (*answer)();
    bool notEmpty;
    int32_t maxLength;
    const char* expected;
  };
  const Case cases[] = {
      {[] { ostest::answerText("Fred"); }, false, 0, "Fred"},
      {[] { ostest::answerButton(1); }, false, 0, "start"},  // OK keeps the text
      {[] { ostest::answerButtonLabelled("OK"); }, false, 0, "start"},
      {[] { ostest::answerButton(2); }, false, 0, "(NIL)"},  // Cancel
      {[] { ostest::answerCancel(); }, false, 0, "(NIL)"},   // the close gadget
      {[] {}, false, 0, "(NIL)"},                             // no answer at all
      {[] { ostest::answerText("a longer answer"); }, false, 6, "a long"},
      {[] { ostest::answerText(""); }, false, 0, ""},
      // An empty answer to a not-empty requester flashes and waits for the next.
      {[] { ostest::answerText(""); ostest::answerText("x"); }, true, 0, "x"},
      {[] { ostest::answerText(""); }, true, 0, "(NIL)"},
  };
  for (const Case& c : cases) {
    ostest::resetRequesters();
    const int32_t beeps = ostest::displayBeeps();
    c.answer();
    EXPECT_EQ(take(requestString("Name", "Who are you?\nSay it.", "start", c.notEmpty, nullptr, nullptr, nullptr,
                                 c.maxLength)),
              c.expected);
    EXPECT_EQ(ostest::displayBeeps() - beeps, c.notEmpty && offered().size() > 1 ? 1 : 0);
    EXPECT_EQ(ostest::requesterLog().at(0).title, "Name");
  }
}

TEST_F(TextRequester, IntegersAreAskedForUntilOneFitsInTheRange) {
  ostest::answerText("12x");          // not a whole number
  ostest::answerText("4294967338");   // 2^32 + 42: does not fit in 32 bits and must not wrap to 42
  ostest::answerText("-5");           // below the minimum
  ostest::answerText("500");          // above the maximum
  ostest::answerText("42");
  bool accepted = false;
  EXPECT_EQ(requestInteger("Count", "How many?", 7, 0, 100, nullptr, nullptr, nullptr, 0, &accepted), 42);
  EXPECT_TRUE(accepted);
  // Each question offers the last answer again.
  EXPECT_EQ(offered(), (std::vector<std::string>{"7", "12x", "4294967338", "-5", "500"}));

  ostest::resetRequesters();
  ostest::answerText("2147483647");  // a maximum below the minimum means no upper limit
  EXPECT_EQ(requestInteger("Count", "?", 3, 10, 5, nullptr, nullptr, nullptr, 0, &accepted), 2147483647);
  EXPECT_TRUE(accepted);

  ostest::resetRequesters();
  ostest::answerText("12345");  // four digits at most: cut to "1234"
  EXPECT_EQ(requestInteger("Count", "?", 3, 0, 5000, nullptr, nullptr, nullptr, 4, &accepted), 1234);

  ostest::resetRequesters();
  ostest::answerText("abc");
  ostest::answerCancel();
  EXPECT_EQ(requestInteger("Count", "?", 3, 0, 10, nullptr, nullptr, nullptr, 0, &accepted), 3);
  EXPECT_FALSE(accepted);
}

TEST_F(TextRequester, WindowsOpenCentredAndCloseWithoutLeavingTheirMessages) {
  Window* a = openWindow(100, 50, "A", nullptr, IDCMP_CLOSEWINDOW, 0);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->LeftEdge, (a->WScreen->Width - a->Width) / 2);
  EXPECT_EQ(a->Width - a->BorderLeft - a->BorderRight, 100);
  EXPECT_EQ(a->Height - a->BorderTop - a->BorderBottom, 50);
  blankMousePointer(a);
  EXPECT_TRUE(a->PointerBlank);
  unblankMousePointer(a);
  EXPECT_FALSE(a->PointerBlank);
  blankMousePointer(nullptr);

  // Two messages of another window on this window's port, one of this one between.
  IntuiMessage mine{}, others[2]{};
  Window other{};
  mine.IDCMPWindow = a;
  others[0].IDCMPWindow = others[1].IDCMPWindow = &other;
  MsgPort* shared = CreateMsgPort();
  for (IntuiMessage* m : {&others[0], &mine, &others[1]}) PutMsg(shared, &m->ExecMessage);
  a->UserPort = shared;
  closeWindow(a, true);
  EXPECT_EQ(GetMsg(shared), &others[0].ExecMessage);
  EXPECT_EQ(GetMsg(shared), &others[1].ExecMessage);
  EXPECT_EQ(GetMsg(shared), nullptr);
  EXPECT_EQ(ostest::forbidNesting(), 0);
  DeleteMsgPort(shared);
  closeWindow(nullptr, true);

  ostest::failNextLockPubScreen();
  expectError("EPU", "pAmiga; openWindow(); failed to lock default public screen",
              [] { openWindow(10, 10, "B", nullptr, 0, 0); });
}

}  // namespace
