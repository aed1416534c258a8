// Linux errors as IoErr codes.
#pragma once
#include <cstdint>

namespace dosio {

// The IoErr code for errno e. `denied` is the code that a permission error
// means for the operation at hand (ERROR_READ_PROTECTED, ERROR_WRITE_PROTECTED
// or ERROR_DELETE_PROTECTED). Every kind of "not there" is ERROR_OBJECT_NOT_FOUND.
int32_t ioErrOfErrno(int e, int32_t denied);

}  // namespace dosio
