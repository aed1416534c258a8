// The runtime's number reader, beneath the program's own text helpers and
// used by the system's classes that read numbers from text the same way.
#pragma once
#include <cstdint>

// Reads a number: skips blanks and tabs, takes an optional "-", then "%"
// binary or "$" hexadecimal digits, else decimal digits. *charsRead (when
// given) counts every character read, blanks, sign and prefix included. Text
// without digits reads as 0; a number out of range reads as 0 with 0 read.
// Decimal numbers must fit in 32 signed bits; binary and hexadecimal numbers
// take up to 32 bits, read as signed ("$FFFFFFFF" is -1).
int32_t readNumber(const char* text, int32_t* charsRead = nullptr);
