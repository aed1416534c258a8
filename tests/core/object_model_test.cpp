#include <gtest/gtest.h>

#include "core/arena.h"
#include "core/class_base.h"
#include "core/exception.h"
#include "core/strings/string.h"

namespace {

int endCount = 0;

class probeBase : public class_base {
  LUDEX_CLASS(probeBase, class_base)
 public:
  void end_class() override {
    ++endCount;
    class_base::end_class();
  }
  int untouched = 0;  // memory comes zero-filled
};

class probeDerived : public probeBase {
  LUDEX_CLASS(probeDerived, probeBase)
 public:
  void end_class() override {
    if (failOnEnd) Throw("BUG", "probeDerived.end_class(); asked to fail");
    probeBase::end_class();
  }
  bool failOnEnd = false;
};

TEST(ObjectModel, ClassNamesAnswerAlongTheChain) {
  auto* d = new probeDerived;
  auto* b = new probeBase;
  EXPECT_STREQ(d->InfoClassType(), "probeDerived");
  EXPECT_TRUE(d->IsOfClassType("probeDerived"));
  EXPECT_TRUE(d->IsOfClassType("probeBase"));
  EXPECT_TRUE(d->IsOfClassType("class_base"));
  EXPECT_FALSE(b->IsOfClassType("probeDerived"));
  EXPECT_FALSE(d->IsSameClassTypeAs(b));
  EXPECT_TRUE(d->IsSameClassTypeAs(d));
  EXPECT_FALSE(d->IsSameClassTypeAs(nullptr));
  EXPECT_EQ(b->untouched, 0);
  End(d);
  End(b);
}

TEST(ObjectModel, EndRunsOnceFreesAndClears) {
  const size_t before = Arena::liveCount();
  endCount = 0;
  probeBase* p = new probeDerived;
  EXPECT_EQ(Arena::liveCount(), before + 1);
  End(p);
  EXPECT_EQ(p, nullptr);
  End(p);  // NIL: nothing happens
  EXPECT_EQ(endCount, 1);
  EXPECT_EQ(Arena::liveCount(), before);
}

TEST(ObjectModel, FailingEndStillFreesThenPassesTheErrorOn) {
  const size_t before = Arena::liveCount();
  auto* p = new probeDerived;
  p->failOnEnd = true;
  try {
    End(p);
    ADD_FAILURE() << "no error";
  } catch (const Exception& e) {
    EXPECT_TRUE(e.is("BUG"));
  }
  EXPECT_EQ(p, nullptr);
  EXPECT_EQ(Arena::liveCount(), before);
}

// Ends its partner from end_class; the partner ends it back.
class endingPair : public probeBase {
  LUDEX_CLASS(endingPair, probeBase)
 public:
  void end_class() override {
    endingPair* p = partner;
    partner = nullptr;
    End(p);
    probeBase::end_class();
  }
  endingPair* partner = nullptr;
};

TEST(ObjectModel, ReEntrantEndEndsAndFreesEachObjectOnce) {
  const size_t before = Arena::liveCount();
  for (int chain : {1, 2}) {  // a pair, and an object that ends itself from end_class
    endCount = 0;
    auto* a = new endingPair;
    auto* b = chain == 2 ? new endingPair : a;
    a->partner = b;
    b->partner = a;
    End(a);
    EXPECT_EQ(endCount, chain);
    EXPECT_EQ(Arena::liveCount(), before);
  }
}

TEST(ProgramStrings, CapacityCutsCopiesAndAppends) {
  char* s = NewString(5);
  EXPECT_STREQ(s, "");
  StrCopy(s, "abcdefgh");
  EXPECT_STREQ(s, "abcde");
  EXPECT_EQ(EstrLen(s), 5);
  StrCopy(s, "xy");
  StrAdd(s, "1234", 2);
  EXPECT_STREQ(s, "xy12");
  StrAdd(s, "zzz");
  EXPECT_STREQ(s, "xy12z");
  SetStr(s, 2);
  EXPECT_STREQ(s, "xy");
  EXPECT_THROW(NewString(-1), Exception);
  DisposeString(s);
}

TEST(ProgramStrings, ChainsDisposeAsOne) {
  const size_t before = Arena::liveCount();
  char* a = StrClone("a");
  char* b = StrClone("b");
  char* c = StrClone(nullptr);
  StrLink(a, b);
  StrLink(b, c);
  EXPECT_EQ(StrNext(a), b);
  EXPECT_EQ(StrLast(a), c);
  EXPECT_EQ(StrNext(c), nullptr);
  DisposeString(a);
  EXPECT_EQ(Arena::liveCount(), before);
}

TEST(Errors, PrintedFormsAndIds) {
  EXPECT_EQ(IdText(MakeId("MEM")), " MEM");
  EXPECT_EQ(IdText(MakeId("FILE")), "FILE");
  EXPECT_EQ(IdText(0x41014243), "A BC");

  testing::internal::CaptureStdout();
  PrintException(Exception(MakeId("EPU"), "cPath; ExistsPath(); path=NIL"));
  PrintException(Exception(MakeId("MEM"), nullptr));
  PrintException(Exception(ORDERLY_EXIT_ID, nullptr, 10));
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "EXCEPTION: \" EPU\"; cPath; ExistsPath(); path=NIL.\n"
            "EXCEPTION: \" MEM\".\n");

  try {
    CleanUp(7);
  } catch (const Exception& e) {
    EXPECT_EQ(e.id(), ORDERLY_EXIT_ID);
    EXPECT_EQ(e.exitCode(), 7);
  }
  try {
    ThrowF("list", "loadGameList(); line %d", 12);
  } catch (const Exception& e) {
    EXPECT_TRUE(e.is("list"));
    EXPECT_STREQ(e.message(), "loadGameList(); line 12");
  }
}

}  // namespace
