// gadtools.library, hosted: the tags the program's gadget lists name.
#pragma once
#include "os/utility/tags.h"

constexpr Tag GT_TagBase = TAG_USER + 0x80000;
// The character that marks the next one as underlined (the keyboard shortcut).
constexpr Tag GT_Underscore = GT_TagBase + 64;
