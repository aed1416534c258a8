// exec.library's task records and message ports, hosted. The hosted system
// runs one process (dos.library's); FindTask(NIL) answers with it.
#pragma once
#include <cstdint>

// Node types of the records below.
constexpr uint8_t NT_TASK = 1;
constexpr uint8_t NT_MSGPORT = 4;
constexpr uint8_t NT_PROCESS = 13;

struct Node {
  Node* ln_Succ;
  Node* ln_Pred;
  uint8_t ln_Type;
  int8_t ln_Pri;
  const char* ln_Name;
};

// A doubly linked list of nodes with a head and a tail node that overlap:
// empty when lh_Head points at lh_Tail. A list that is all zeroes counts as
// empty too.
struct List {
  Node* lh_Head;
  Node* lh_Tail;
  Node* lh_TailPred;
  uint8_t lh_Type;
  uint8_t l_pad;
};

struct Task {
  Node tc_Node;
  uint32_t tc_SigAlloc;  // signals in use
  uint32_t tc_SigRecvd;  // signals received and not yet taken
};

// A message port. dos.library gives every volume one, its "handler", so that a
// lock or a device lookup can say which volume it belongs to.
struct MsgPort {
  Node mp_Node;  // ln_Name: the volume's name
  uint8_t mp_Flags;
  uint8_t mp_SigBit;
  Task* mp_SigTask;
  List mp_MsgList;  // the messages waiting, oldest first
};

// NIL: the running task (the hosted process). A name: the task of that name, NIL
// when there is none.
Task* FindTask(const char* name);

// Sets the task's priority (-128 to 127) and returns the old one.
int8_t SetTaskPri(Task* task, int32_t priority);
