// Reading and making soft and hard links by host path.
#pragma once
#include <cstdint>

// Link kinds, as the file objects store them.
constexpr int32_t LINK_KIND_UNKNOWN = 0;
constexpr int32_t LINK_KIND_NONE = 1;
constexpr int32_t LINK_KIND_SOFT = 2;
constexpr int32_t LINK_KIND_HARD = 3;

// The link's target as the file system stores it (a new string), or NIL when
// the path is no link. *kind (when given) gets the kind: LINK_KIND_NONE
// without a target; with quick LINK_KIND_UNKNOWN, else LINK_KIND_SOFT or
// LINK_KIND_HARD. A path on an assign of several folders is looked up in
// each of them in turn.
char* easyReadLink(const char* path, int32_t* kind = nullptr, bool quick = false);
// Makes link a soft link holding the target's path, or a hard link to the
// object at target (which must exist). TRUE on success.
bool easyMakeLink(const char* link, const char* target, bool soft);
// The link's target as a path that does not depend on the current directory:
// a target without a device is taken relative to the folder of the link.
// A new string; NIL for a NIL target.
char* linkTargetPath(const char* linkPath, const char* target);
// The target of the link at path as linkTargetPath makes it (a new string),
// NIL when the path is no link; kind and quick as for easyReadLink.
char* readLinkTargetPath(const char* path, int32_t* kind = nullptr, bool quick = false);
// The target of the link as a canonical file path or directory path (a new
// string), NIL when the path is no link; *kind as for easyReadLink.
char* getFileLink(const char* path, int32_t* kind = nullptr);
char* getDirLink(const char* path, int32_t* kind = nullptr);
