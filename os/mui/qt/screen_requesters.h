// Requesters asked on screen: a choice requester as a message box with its
// buttons (the first answers 1, the next 2, ..., the last 0, the close gadget
// 0), the file requester as a file dialog (its drawer, or the current one,
// its file and pattern, multiple selection, drawers only, save mode, icon
// files hidden; the volumes and assigns as its places; in an open requester
// OK with no name, or on a drawer, answers that drawer), the text requester
// as an input dialog. While a UI script runs, its requesters keep
// to the answer queue even when the script's run is shown: a dialog would
// wait for a person the script does not have.
#pragma once
#include "os/intuition/requester_answers.h"

namespace mui::qt {

bool askOnScreen(const RequesterRecord& shown, RequesterAnswer* answer);

// The host pattern (for a file dialog's filter) of an Amiga pattern:
// "#?" and "*" match anything, "?" one character, "(a|b)" either; a pattern
// with other codes ("~", "[", "%") matches every name.
std::string hostPatternOf(const std::string& amigaPattern);

}  // namespace mui::qt
