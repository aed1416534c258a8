#include "os/exec/message_ports.h"


#include <map>
#include <utility>

namespace {

int32_t forbidCount = 0;

std::map<MsgPort*, std::pair<PortFeeder, void*>>& feeders() {
  static std::map<MsgPort*, std::pair<PortFeeder, void*>> f;
  return f;
}

// A list that was only zeroed is made a proper empty list on first use.
void ready(List* list) {
  if (!list->lh_Head) NewList(list);
}

}  // namespace

void NewList(List* list) {
  list->lh_Head = reinterpret_cast<Node*>(&list->lh_Tail);
  list->lh_Tail = nullptr;
  list->lh_TailPred = reinterpret_cast<Node*>(&list->lh_Head);
}

bool IsListEmpty(const List* list) {
  return !list->lh_Head || list->lh_Head == reinterpret_cast<const Node*>(&list->lh_Tail);
}

void AddTail(List* list, Node* node) {
  ready(list);
  Node* tailNode = reinterpret_cast<Node*>(&list->lh_Tail);
  Node* last = list->lh_TailPred;
  node->ln_Succ = tailNode;
  node->ln_Pred = last;
  last->ln_Succ = node;
  list->lh_TailPred = node;
}

void Remove(Node* node) {
  node->ln_Pred->ln_Succ = node->ln_Succ;
  node->ln_Succ->ln_Pred = node->ln_Pred;
  node->ln_Succ = node->ln_Pred = nullptr;
}

Node* RemHead(List* list) {
  if (IsListEmpty(list)) return nullptr;
  Node* node = list->lh_Head;
  Remove(node);
  return node;
}

MsgPort* CreateMsgPort() {
  auto* port = new MsgPort{};
  port->mp_Node.ln_Type = NT_MSGPORT;
  NewList(&port->mp_MsgList);
  return port;
}

void DeleteMsgPort(MsgPort* port) {
  feeders().erase(port);
  delete port;
}

void SetPortFeeder(MsgPort* port, PortFeeder feeder, void* data) {
  if (!port) return;
  if (feeder) feeders()[port] = {feeder, data};
  else feeders().erase(port);
}

Message* WaitPort(MsgPort* port) {
  if (!port) return nullptr;
  if (IsListEmpty(&port->mp_MsgList)) {
    const auto it = feeders().find(port);
    if (it != feeders().end()) it->second.first(port, it->second.second);
  }
  return IsListEmpty(&port->mp_MsgList) ? nullptr : reinterpret_cast<Message*>(port->mp_MsgList.lh_Head);
}

void PutMsg(MsgPort* port, Message* message) {
  if (!port || !message) return;
  message->mn_Node.ln_Type = NT_MESSAGE;
  AddTail(&port->mp_MsgList, &message->mn_Node);
}

Message* GetMsg(MsgPort* port) {
  if (!port) return nullptr;
  return reinterpret_cast<Message*>(RemHead(&port->mp_MsgList));
}

void ReplyMsg(Message* message) {
  if (!message) return;
  message->mn_Node.ln_Type = NT_REPLYMSG;
  if (message->mn_ReplyPort) AddTail(&message->mn_ReplyPort->mp_MsgList, &message->mn_Node);
}

void Forbid() { ++forbidCount; }
void Permit() {
  if (forbidCount > 0) --forbidCount;
}

int32_t ostest::forbidNesting() { return forbidCount; }
