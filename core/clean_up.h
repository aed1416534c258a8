// Clean-up that runs on every way out of a piece of work: the work ends, or
// it raises an error.
#pragma once
#include <type_traits>
#include <utility>

// Runs body, then cleanUp. When body raises an error cleanUp runs and the
// error passes on. Answers what body answers.
template <class Body, class CleanUp>
decltype(auto) WithCleanUp(Body&& body, CleanUp&& cleanUp) {
  using Answer = decltype(body());
  if constexpr (std::is_void_v<Answer>) {
    try {
      body();
    } catch (...) {
      cleanUp();
      throw;
    }
    cleanUp();
  } else {
    // Built inside the try, so that an error of body reaches the catch.
    Answer answer = [&]() -> Answer {
      try {
        return body();
      } catch (...) {
        cleanUp();
        throw;
      }
    }();
    cleanUp();
    return static_cast<Answer>(answer);
  }
}
