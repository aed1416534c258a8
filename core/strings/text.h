// Text helpers shared by every module: reading numbers, comparing and
// searching strings. NIL arguments read as "".
#pragma once
#include <cstdint>

// Reads a number: skips blanks and tabs, takes an optional "-", then "%"
// binary or "$" hexadecimal digits, else decimal digits. *charsRead (when
// given) counts every character read, blanks, sign and prefix included. Text
// without digits reads as 0; a number out of range reads as 0 with 0 read.
// Binary and hexadecimal numbers take up to 32 bits, read as signed.
int32_t Val(const char* text, int32_t* charsRead = nullptr);

// TRUE when equal over the whole strings, or over the first n characters
// when n >= 0.
bool StrCmp(const char* a, const char* b, int32_t n = -1);
// As StrCmp with only the letters a-z folded to upper case.
bool StrCmpNoCase(const char* a, const char* b, int32_t n = -1);
// +1 when a sorts before b, -1 when after, 0 when equal (bytes unsigned).
int32_t OstrCmp(const char* a, const char* b);
// As OstrCmp with only the letters a-z folded to upper case.
int32_t OstrCmpNoCase(const char* a, const char* b);
// Index of the first occurrence of sub in text at or after start, or -1.
int32_t InStr(const char* text, const char* sub, int32_t start = 0);

// The letter folded to upper case when it is one of a-z.
inline char UpperChar(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
// Folds a-z to upper case in place; returns text.
char* UpperStr(char* text);
