// Linux errors as IoErr codes.
#pragma once
#include <cstdint>

namespace dosio {

// An errno that no AmigaDOS code stands for is kept in IoErr as
// HOST_ERROR_BASE + errno, and Fault tells it in Linux's words. AmigaDOS
// codes all lie far below this range (and a handler's own codes too).
constexpr int32_t HOST_ERROR_BASE = 0x4C580000;  // "LX" in the high half
constexpr int32_t HOST_ERROR_LAST = 0xFFFF;      // the largest errno kept so

// The IoErr code for errno e. `denied` is the code that a permission error
// means for the operation at hand (ERROR_READ_PROTECTED, ERROR_WRITE_PROTECTED
// or ERROR_DELETE_PROTECTED). Every kind of "not there" is ERROR_OBJECT_NOT_FOUND;
// an errno without an AmigaDOS code is HOST_ERROR_BASE + errno.
int32_t ioErrOfErrno(int e, int32_t denied);

}  // namespace dosio
