// The ids of a path object's extra data: four ASCII letters as a 32-bit
// value, the first letter most significant.
#pragma once
#include <cstdint>

#include "core/exception.h"

constexpr int32_t EXTRA_COMM = MakeId("COMM");  // the comment (a string)
constexpr int32_t EXTRA_ATTR = MakeId("ATTR");  // protection bits the attributes do not cover
constexpr int32_t EXTRA_LINK = MakeId("LINK");  // the link target of either kind (query only)
constexpr int32_t EXTRA_SLNK = MakeId("SLNK");  // the target of a soft link
constexpr int32_t EXTRA_HLNK = MakeId("HLNK");  // the target of a hard link
