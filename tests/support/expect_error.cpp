#include "tests/support/expect_error.h"

#include <gtest/gtest.h>

#include "core/exception.h"

void expectError(const char* id, const char* message, const std::function<void()>& action) {
  try {
    action();
    ADD_FAILURE() << "no error raised";
  } catch (const Exception& e) {
    EXPECT_TRUE(e.is(id));
    ASSERT_NE(e.message(), nullptr);
    EXPECT_STREQ(e.message(), message);
  }
}
