// The file requester hooks of the path fields' pop-ups, as hook records that
// every path field's pop-up is given. The start hook hands the requester the
// field's drawer and file and the field's options; the stop hook writes the
// chosen path into the field and reports the field's change through the
// action hook. An error inside either hook is printed and the hook returns.
#pragma once
#include <cstdint>

#include "os/asl/asl.h"
#include "os/mui/mui.h"
#include "os/utility/hooks.h"

// The requester's tags the start hook may append: at most this many before
// the end mark.
constexpr int32_t GUI_PATH_START_TAGS = 14;

Hook* infoGuiPathStartHook();
Hook* infoGuiPathStopHook();

// The hooks' bodies. guiPathStart appends the requester's tags to tags (a
// list ended by TAG_DONE, with room for GUI_PATH_START_TAGS tags and the end
// mark; more raise BUG "guiPathStart(); taglist too large", the list staying
// ended) and answers TRUE: open the requester.
IPTR guiPathStart(Hook* hook, Object* popasl, TagItem* tags);
// Sets the field to the chosen drawer (a folder field) or drawer and file
// joined, then calls the action hook with [item, window].
IPTR guiPathStop(Hook* hook, Object* popasl, FileRequester* requester);
