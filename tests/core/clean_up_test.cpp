// The clean-up helper runs its clean-up once on every way out, and the string
// owner gives back every string it kept, also when it refuses one.
#include <gtest/gtest.h>

#include <string>

#include "core/arena.h"
#include "core/clean_up.h"
#include "core/exception.h"
#include "core/strings/owned_strings.h"
#include "core/strings/string.h"
#include "tests/support/expect_error.h"

TEST(CleanUp, RunsOnceOnEveryWayOutAndPassesTheAnswerOrTheError) {
  struct Case {
    bool raise;
    const char* trace;
  };
  for (const Case& c : {Case{false, "body clean "}, Case{true, "body clean "}}) {
    SCOPED_TRACE(c.raise ? "raising" : "ending");
    std::string trace;
    const auto body = [&] {
      trace += "body ";
      if (c.raise) Throw("ERR", "from the body");
      return 7;
    };
    const auto cleanUp = [&] { trace += "clean "; };
    if (c.raise) {
      expectError("ERR", "from the body", [&] { WithCleanUp(body, cleanUp); });
    } else {
      EXPECT_EQ(WithCleanUp(body, cleanUp), 7);
    }
    EXPECT_EQ(trace, c.trace);
  }
  // A body without an answer.
  int cleaned = 0;
  WithCleanUp([] {}, [&] { ++cleaned; });
  EXPECT_EQ(cleaned, 1);
}

TEST(OwnedStrings, GivesBackWhatItKeptOnEveryWayOut) {
  const size_t before = Arena::liveCount();
  OwnedStrings made;
  EXPECT_EQ(made.keep(nullptr), nullptr);
  char* first = made.keep(StrClone("first"));
  EXPECT_STREQ(first, "first");
  made.keep(StrClone("second"));
  made.dispose();
  EXPECT_EQ(Arena::liveCount(), before);

  // The owner takes new strings after a dispose, up to its capacity; one
  // more is given back and refused as a bug.
  for (int i = 0; i < 8; ++i) made.keep(StrClone("kept"));
  expectError("BUG", "OwnedStrings.keep(); too many strings", [&] { made.keep(StrClone("one too many")); });
  made.dispose();
  EXPECT_EQ(Arena::liveCount(), before);
}
