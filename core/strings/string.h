// The program's strings: NUL-terminated 8-bit text in a block of fixed
// capacity set at creation, allocated from the process-wide allocator. A string
// is handed around as a plain char*; its capacity, length and the link to the
// next string of a chain (the lines of a file, the paths of a multi-selection)
// sit in a header in front of the text.
#pragma once
#include <cstddef>
#include <cstdint>

constexpr int32_t ALL = -1;  // "the whole source" for StrCopy/StrAdd

// A new empty string that can hold `capacity` characters (raises MEM, and EPU
// for a negative capacity).
char* NewString(int32_t capacity);
// A new string holding a copy of text (NIL reads as ""), capacity its length.
char* StrClone(const char* text);
// Disposes the string and every string linked after it. NIL is ignored.
void DisposeString(char* s);
// Asks the processor for the memory of s (NIL: nothing), which is about to
// be read or disposed: a loop over many scattered strings asks a few ahead.
// The first 48 bytes of the text come with it.
void FetchStringAhead(const char* s);

int32_t StrMax(const char* s);   // capacity
int32_t EstrLen(const char* s);  // current length
// Replaces the contents with up to `length` characters of source (ALL: the whole
// of it), cut at the capacity. Returns s.
char* StrCopy(char* s, const char* source, int32_t length = ALL);
// Appends up to `length` characters of source, cut at the capacity. Returns s.
char* StrAdd(char* s, const char* source, int32_t length = ALL);
// Sets the length (0 to the capacity), e.g. after writing the text directly.
void SetStr(char* s, int32_t length);
// Recounts the length after the text was written directly.
void UpdateStrLen(char* s);

char* StrNext(const char* s);           // next string of the chain, or NIL
char* StrLink(char* s, char* next);     // sets the link; returns s
// The last string of the chain that starts at s (NIL for NIL).
char* StrLast(char* s);

// Builds a chain of strings by appending at its end.
struct StringChain {
  char* head = nullptr;
  char* last = nullptr;
  void append(char* s) {
    if (last) StrLink(last, s); else head = s;
    last = s;
  }
};
// Takes the first string off the chain (unlinked) and moves chain on; NIL
// when the chain is empty.
char* StrTakeFirst(char*& chain);

// The length of text, counted no further than `most` characters.
size_t boundedLength(const char* text, size_t most);
