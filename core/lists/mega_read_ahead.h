// Reads a few nodes ahead of a cursor that walks a mega list forward one
// node at a time, so that the walker can ask the processor for what the
// coming nodes' data point at before it gets there: a long list's nodes and
// the objects they hold lie scattered through memory, and a walk that waits
// for each in turn spends most of its time waiting.
#pragma once
#include <cstdint>

class cMegaCursorGeneric;
struct oMiniNode;

class MegaReadAhead {
 public:
  // How many nodes ahead step() answers for.
  static constexpr int32_t FAR = 8;
  static constexpr int32_t NEAR = 4;

  // From the cursor's node on; the end of its list stops every look ahead.
  void start(cMegaCursorGeneric* cursor);
  // One node on, as the cursor moves one on. Asks for the node a few beyond
  // FAR, and answers the data words of the nodes FAR and NEAR ahead of the
  // cursor's new node (0 past the end).
  struct Ahead {
    intptr_t far;
    intptr_t near;
  };
  Ahead step();

 private:
  oMiniNode* end_ = nullptr;
  oMiniNode* lead_ = nullptr;
  oMiniNode* far_ = nullptr;
  oMiniNode* near_ = nullptr;
};
