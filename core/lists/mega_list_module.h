// The list module: its one shared object is the default node comparator, used
// when a plain-value list's sort, sortedFind or sortedInsert is given NIL.
#pragma once

class fCompareMegaNodes;

// NIL before new_cmegalist and after end_cmegalist.
extern fCompareMegaNodes* defaultCompareMegaNodes;

void new_cmegalist();
// Ends the default comparator; does nothing when it was never made.
void end_cmegalist();
