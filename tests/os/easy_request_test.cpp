#include <gtest/gtest.h>

#include <string>

#include "os/intuition/intuition.h"
#include "os/intuition/requester_answers.h"

namespace {

class EasyRequest : public ::testing::Test {
 protected:
  void SetUp() override { ostest::resetRequesters(); }
  void TearDown() override { ostest::resetRequesters(); }

  static int32_t ask(const char* buttons, const char* body = "Body", const intptr_t* args = nullptr,
                     size_t count = 0, Window* window = nullptr) {
    EasyStruct es{20, 0, "Ludex", body, buttons};
    return EasyRequestArgs(window, &es, nullptr, args, count);
  }
};

TEST_F(EasyRequest, ButtonsAreNumberedFromOneWithTheLastZero) {
  struct Case {
    const char* buttons;
    int32_t pressed;
    int32_t result;
  };
  const Case cases[] = {
      {"OK|Cancel", 1, 1}, {"OK|Cancel", 0, 0}, {"A|B|C", 1, 1},
      {"A|B|C", 2, 2},     {"A|B|C", 0, 0},     {"OK", 0, 0},
  };
  for (const Case& c : cases) {
    ostest::answerButton(c.pressed);
    EXPECT_EQ(ask(c.buttons), c.result) << c.buttons << " pressing " << c.pressed;
  }
  EXPECT_EQ(queuedRequesterAnswers(), 0u);
}

TEST_F(EasyRequest, CancelAndButtonsByLabel) {
  ostest::answerCancel();
  EXPECT_EQ(ask("Yes|Maybe|No"), 0);
  ostest::answerButtonLabelled("maybe");
  EXPECT_EQ(ask("Yes|Maybe|No"), 2);
  ostest::answerButtonLabelled("Save");
  EXPECT_EQ(ask("_Save|_Discard|_Cancel"), 1);  // GadTools underscores do not count
}

TEST_F(EasyRequest, AnswersThatFitNoButtonCancelAndSaySo) {
  struct Case {
    void (*queue)();
    const char* note;
  };
  const Case cases[] = {
      {[] {}, "# requester \"Ludex\": no answer, Cancel\n"},
      {[] { ostest::answerButton(2); }, "# requester \"Ludex\": no button 2, Cancel\n"},
      {[] { ostest::answerButton(-1); }, "# requester \"Ludex\": no button -1, Cancel\n"},
      {[] { ostest::answerButtonLabelled("Delete"); }, "# requester \"Ludex\": no button \"Delete\", Cancel\n"},
      {[] { ostest::answerChoose("Home:", "x"); }, "# requester \"Ludex\": a file answer does not fit, Cancel\n"},
  };
  for (const Case& c : cases) {
    c.queue();
    testing::internal::CaptureStdout();
    EXPECT_EQ(ask("OK|Cancel"), 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), c.note);
  }
}

// A message (one button) with nobody to read it is shown as one line.
TEST_F(EasyRequest, AnUnansweredMessageIsPrintedAsOneLine) {
  const intptr_t args[] = {reinterpret_cast<intptr_t>("PROGDIR:Ludex.list")};
  testing::internal::CaptureStdout();
  EXPECT_EQ(ask("OK", "\"%s\" could not be saved.\nTry again.", args, 1), 0);
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "# requester \"Ludex\": \"PROGDIR:Ludex.list\" could not be saved. Try again.\n");
  // An answer queued for it is taken silently.
  ostest::answerButton(0);
  testing::internal::CaptureStdout();
  EXPECT_EQ(ask("OK", "Told"), 0);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}

TEST_F(EasyRequest, BodyAndButtonsTakeTheArgumentsInTurn) {
  const intptr_t args[] = {reinterpret_cast<intptr_t>("Fred"), 3, reinterpret_cast<intptr_t>("Go")};
  ostest::answerButton(1);
  Window* someWindow = reinterpret_cast<Window*>(0x1000);
  EXPECT_EQ(ask("%s|Stop", "Start %s with %ld disks?", args, 3, someWindow), 1);
  ASSERT_EQ(ostest::requesterLog().size(), 1u);
  const RequesterRecord& r = ostest::requesterLog()[0];
  EXPECT_EQ(r.kind, RequesterRecord::Kind::Choice);
  EXPECT_EQ(r.title, "Ludex");
  EXPECT_EQ(r.body, "Start Fred with 3 disks?");
  EXPECT_EQ(r.buttons, (std::vector<std::string>{"Go", "Stop"}));
  EXPECT_TRUE(r.hasWindow);
  EXPECT_EQ(r.result, 1);
}

TEST_F(EasyRequest, ABodyPlaceholderWithoutArgumentsIsShownAsItStands) {
  testing::internal::CaptureStdout();
  EXPECT_EQ(ask("OK", "Missing \"%s\" and %ld"), 0);
  testing::internal::GetCapturedStdout();
  ASSERT_EQ(ostest::requesterLog().size(), 1u);
  EXPECT_EQ(ostest::requesterLog()[0].body, "Missing \"%s\" and %ld");
}

TEST_F(EasyRequest, UntitledRequesterAndNoRecord) {
  EasyStruct es{20, 0, nullptr, "Body", "OK|Cancel"};
  testing::internal::CaptureStdout();
  EXPECT_EQ(EasyRequestArgs(nullptr, &es, nullptr, nullptr, 0), 0);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "# requester \"System Request\": no answer, Cancel\n");
  EXPECT_EQ(EasyRequestArgs(nullptr, nullptr, nullptr, nullptr, 0), 0);
}

}  // namespace
