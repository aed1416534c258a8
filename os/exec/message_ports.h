// exec.library, hosted: lists, messages and message ports. There is one
// task, so Forbid and Permit only count.
#pragma once
#include <cstdint>

#include "os/exec/tasks.h"

constexpr uint8_t NT_MESSAGE = 5;
constexpr uint8_t NT_REPLYMSG = 7;

struct Message {
  Node mn_Node;
  MsgPort* mn_ReplyPort;  // where ReplyMsg sends it; NIL: nowhere
  uint16_t mn_Length;
};

void NewList(List* list);
void AddTail(List* list, Node* node);
// Unlinks a node from whatever list holds it.
void Remove(Node* node);
// Takes the first node off the list; NIL when it is empty.
Node* RemHead(List* list);
bool IsListEmpty(const List* list);

MsgPort* CreateMsgPort();
// Deletes a port; messages still on it are left alone.
void DeleteMsgPort(MsgPort* port);
void PutMsg(MsgPort* port, Message* message);
// Takes the oldest message off the port; NIL when none waits.
Message* GetMsg(MsgPort* port);
// Sends a message back to its reply port (or nowhere when it has none).
void ReplyMsg(Message* message);

void Forbid();
void Permit();

namespace ostest {
// How deep Forbid is nested now.
int32_t forbidNesting();
}  // namespace ostest

// Waits until a message is on the port and returns it (left on the port).
// The hosted system has no other task to send one: a port with a feeder
// (below) asks it for input; a port without one gives NIL at once rather
// than wait for ever.
Message* WaitPort(MsgPort* port);

// The hosted system's source of input for a port: called by WaitPort when the
// port is empty; it must put at least one message on the port.
using PortFeeder = void (*)(MsgPort* port, void* data);
void SetPortFeeder(MsgPort* port, PortFeeder feeder, void* data);
