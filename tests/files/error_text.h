// The error an action raises, as text the tests compare: "ID message", or
// "no error" when the action raises none.
#pragma once
#include <functional>
#include <string>

#include "core/exception.h"

// The id as IdText gives it, padded to four characters (" EMU message").
inline std::string errorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const Exception& e) {
    return IdText(e.id()) + " " + (e.message() ? e.message() : "");
  }
  return "no error";
}

// The id without its padding ("EMU message").
inline std::string trimmedErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const Exception& e) {
    std::string id = IdText(e.id());
    id.erase(0, id.find_first_not_of(' '));
    id.erase(id.find_last_not_of(' ') + 1);
    return id + " " + (e.message() ? e.message() : "");
  }
  return "no error";
}
