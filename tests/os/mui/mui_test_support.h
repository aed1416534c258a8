// Shared pieces of the MUI engine tests: a fixture that starts the engine
// afresh in strict mode and checks that every object made was disposed, and
// a hook that records its calls.
#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "os/mui/mui.h"
#include "os/mui/mui_testing.h"

class MuiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ostest::resetMui();
    ostest::setMuiStrict(true);
  }
  void TearDown() override {
    EXPECT_EQ(ostest::liveMuiObjects(), 0) << "objects left undisposed";
    ostest::resetMui();
  }
};

// A hook that keeps, per call, the object and the first `words` words of the
// message, and then runs `then` (which may call back into the engine).
struct RecordingHook {
  Hook hook{};
  size_t words = 0;
  struct Call {
    Object* object;
    std::vector<IPTR> message;
  };
  std::vector<Call> calls;
  std::function<IPTR(Object*, void*)> then;
  IPTR answer = 0;

  explicit RecordingHook(size_t wordsToKeep = 0) : words(wordsToKeep) {
    hook.h_Entry = &RecordingHook::entry;
    hook.h_Data = this;
  }
  static IPTR entry(Hook* h, void* object, void* message) {
    auto* self = static_cast<RecordingHook*>(h->h_Data);
    Call call{static_cast<Object*>(object), {}};
    for (size_t i = 0; i < self->words; ++i) call.message.push_back(static_cast<const IPTR*>(message)[i]);
    self->calls.push_back(call);
    return self->then ? self->then(static_cast<Object*>(object), message) : self->answer;
  }
};

// The attribute as a number, and as a text.
inline IPTR attr(Object* o, Tag tag) {
  IPTR v = 0;
  GetAttr(tag, o, &v);
  return v;
}
inline std::string textAttr(Object* o, Tag tag) {
  const char* t = reinterpret_cast<const char*>(attr(o, tag));
  return t ? t : "(NIL)";
}
