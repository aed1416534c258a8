// What every dos.library call passes through on its way in: the call log, the
// failures tests inject, the traits of volumes that cannot do everything, and
// the strict check of objects in use.
#pragma once
#include <cstdint>
#include <string>

namespace doshook {

// Records the call (when the log is on) and answers the IoErr code of a failure
// injected for it; 0 when the call goes ahead. names: the path arguments.
int32_t enter(const char* call, const char* name = nullptr, const char* name2 = nullptr);

// TRUE when a failure is injected for the call and still to come.
bool failurePending(const char* call);

// The test traits (ostest::VolumeTrait) of the volume a real Linux path lies on.
uint32_t traitsOf(const std::string& realPath);
inline bool hasTrait(const std::string& realPath, uint32_t trait) { return (traitsOf(realPath) & trait) != 0; }

// In strict mode: ERROR_OBJECT_IN_USE when a file handle is open on the object
// at path, or an exclusive lock is held on it; else 0.
int32_t checkNotInUse(const std::string& path);
bool strict();

// Back to no log, no failures, no traits, not strict.
void reset();

}  // namespace doshook
