// Merge sort of chains of linked strings (core/strings/string.h chains), with its
// string comparator. The comparator answers positive when the first string
// comes first, negative when the second does and 0 when they are equal.
#pragma once
#include <cstdint>

#include "core/class_base.h"

class fMergeSortCompare : public function {
  LUDEX_CLASS(fMergeSortCompare, function)
 public:
  virtual void new_fMergeSortCompare() { new_function(); }
  // This one: the case-insensitive ordered compare (a-z folded to A-Z, then
  // byte order).
  virtual int8_t call(const char* a, const char* b);
};

// Made by new_pgeneral, ended by end_pgeneral; NIL outside them.
extern fMergeSortCompare* defaultMergeSortCompare;

// Appends node (cut from whatever followed it) to the chain head..tail and
// returns the new head; *newTail gets the new tail. A NIL head makes the node
// both.
char* appendNode(char* head, char* tail, char* node, char** newTail);
// Links the chain listHead..listTail after tail and returns the head; *newTail
// gets listTail. A NIL head returns listHead (and listTail).
char* appendList(char* head, char* tail, char* listHead, char* listTail, char** newTail);
// Sorts the chain stably by comparator (NIL: the default one) and returns its
// new head; NIL for an empty chain. When the comparator fails, the chain still
// holds every string, headed by the string that headed it before.
char* mergeSort(char* chain, fMergeSortCompare* comparator);
