#include "core/lists/merge_sort.h"

#include "core/exception.h"
#include "core/strings/string.h"
#include "core/strings/text.h"

fMergeSortCompare* defaultMergeSortCompare = nullptr;

int8_t fMergeSortCompare::call(const char* a, const char* b) { return static_cast<int8_t>(OstrCmpNoCase(a, b)); }

char* appendNode(char* head, char* tail, char* node, char** newTail) {
  if (!node) {
    if (newTail) *newTail = tail;
    return head;
  }
  StrLink(node, nullptr);
  if (newTail) *newTail = node;
  if (!head) return node;
  StrLink(tail, node);
  return head;
}

char* appendList(char* head, char* tail, char* listHead, char* listTail, char** newTail) {
  if (!listHead) {
    if (newTail) *newTail = tail;
    return head;
  }
  if (newTail) *newTail = listTail;
  if (!head) return listHead;
  StrLink(tail, listHead);
  return head;
}

namespace {

// The strings of a pass: those already merged, the left run being merged and
// the rest of the input. Each part is a NIL-terminated chain.
struct PassState {
  char* outHead = nullptr;
  char* outTail = nullptr;
  char* left = nullptr;
  char* leftTail = nullptr;
  char* rest = nullptr;
};

// Joins the parts into one chain again and turns it so that first heads it,
// so that a caller holding first still holds every string.
void regroup(PassState& s, char* first) {
  char* head = appendList(s.outHead, s.outTail, s.left, s.leftTail, &s.outTail);
  head = appendList(head, s.outTail, s.rest, StrLast(s.rest), &s.outTail);
  if (!head || head == first) return;
  char* before = head;
  while (before && StrNext(before) != first) before = StrNext(before);
  if (!before) return;
  StrLink(s.outTail, head);
  StrLink(before, nullptr);
}

}  // namespace

char* mergeSort(char* chain, fMergeSortCompare* comparator) {
  if (!chain) return nullptr;
  if (!comparator) comparator = defaultMergeSortCompare;
  if (!comparator) Throw("EPU", "pGeneral; mergeSort(); compareFunction=NIL");

  PassState s;
  char* input = chain;
  try {
    for (size_t runLength = 1;; runLength *= 2) {
      s = PassState{};
      s.rest = input;
      bool firstMerge = true;
      while (s.rest) {
        // Cut the left run of up to runLength strings off the rest.
        s.left = s.leftTail = s.rest;
        for (size_t i = 1; i < runLength && StrNext(s.leftTail); ++i) s.leftTail = StrNext(s.leftTail);
        s.rest = StrNext(s.leftTail);
        StrLink(s.leftTail, nullptr);
        if (!s.rest) {
          s.outHead = appendList(s.outHead, s.outTail, s.left, s.leftTail, &s.outTail);
          s.left = nullptr;
          if (firstMerge) return s.outHead;
          break;
        }
        firstMerge = false;
        size_t right = runLength;
        while (s.left && right > 0 && s.rest) {
          char* taken;
          // On a tie the left string goes first: the sort is stable.
          if (comparator->call(s.left, s.rest) >= 0) {
            taken = s.left;
            s.left = StrNext(s.left);
          } else {
            taken = s.rest;
            s.rest = StrNext(s.rest);
            --right;
          }
          s.outHead = appendNode(s.outHead, s.outTail, taken, &s.outTail);
        }
        s.outHead = appendList(s.outHead, s.outTail, s.left, s.leftTail, &s.outTail);
        s.left = nullptr;
        // What is left of the right run follows, so that the next merge
        // starts on the next run and not in the middle of this one.
        while (right > 0 && s.rest) {
          char* taken = s.rest;
          s.rest = StrNext(s.rest);
          --right;
          s.outHead = appendNode(s.outHead, s.outTail, taken, &s.outTail);
        }
      }
      input = s.outHead;
    }
  } catch (...) {
    regroup(s, chain);
    throw;
  }
}
