// A small window that asks for a line of text, or for a number.
#pragma once
#include <cstdint>

#include "os/intuition/screens.h"

// Shows the body text, a string gadget holding `initial` and the OK and
// Cancel buttons (labels NIL: "OK", "Cancel"; their first letters are the
// keyboard shortcuts). Returns a new string with the text entered (OK or
// Return), or NIL on Cancel or the close gadget. With notEmpty an empty text
// flashes the screen and the requester stays. maxLength 0 or less: no limit.
// screen NIL: the default public screen.
char* requestString(const char* title, const char* body, const char* initial, bool notEmpty, Screen* screen,
                    const char* okLabel, const char* cancelLabel, int32_t maxLength);

// Asks through requestString until the answer is a whole number within
// minimum..maximum (maximum below minimum: no upper limit), offering the last
// answer again; a number that does not fit in 32 bits is refused too.
// maxDigits 0 or less: 10. Returns the number with *accepted TRUE, or on
// Cancel the initial value with *accepted FALSE.
int32_t requestInteger(const char* title, const char* body, int32_t initial, int32_t minimum, int32_t maximum,
                       Screen* screen, const char* okLabel, const char* cancelLabel, int32_t maxDigits,
                       bool* accepted = nullptr);
