// Match records: a list of nodes that each hold three values, in the order
// they were appended. The list owns its nodes.
#pragma once
#include <cstdint>

#include "core/class_base.h"

class matchNode : public class_base {
  LUDEX_CLASS(matchNode, class_base)
 public:
  virtual void new_matchNode(intptr_t first, intptr_t second, intptr_t third);
  void end_class() override;
  intptr_t first = 0, second = 0, third = 0;
  matchNode* next = nullptr;
};

class matchList : public class_base {
  LUDEX_CLASS(matchList, class_base)
 public:
  virtual void new_matchList() {}
  void end_class() override;
  // Appends a node holding the three values.
  void append(intptr_t first, intptr_t second, intptr_t third);
  matchNode* firstNode = nullptr;
  matchNode* lastNode = nullptr;
};
