// The strings a routine makes on its way, given back together: each is kept
// as it is made, and dispose() gives back every one kept so far (on the way
// out, and in the routine's clean-up when an error passes through it).
#pragma once

class OwnedStrings {
 public:
  // Keeps s (NIL is kept as nothing) and answers it. Keeping more than
  // CAPACITY strings is a bug: s is disposed and BUG raised.
  char* keep(char* s);
  // Disposes every string kept so far; the owner can keep new ones after.
  void dispose();

 private:
  static constexpr int CAPACITY = 8;
  char* items[CAPACITY] = {};
  int count = 0;
};
