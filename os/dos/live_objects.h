// The locks and file handles that are alive, so that a BPTR can be checked
// before use and tests can see that nothing is left behind.
#pragma once
#include <cstdint>
#include <vector>

#include "os/dos/dos.h"

namespace doslive {

constexpr uint32_t MAGIC = 0x444F5321;  // "DOS!"

void add(DosObjectHeader* object, int32_t kind);
void remove(DosObjectHeader* object);
// TRUE when object is a live lock (DOS_KIND_LOCK) or handle (DOS_KIND_HANDLE).
bool isLive(const DosObjectHeader* object, int32_t kind);
int32_t count(int32_t kind);
// The live objects of a kind.
std::vector<DosObjectHeader*> all(int32_t kind);

// DOS objects of AllocDosObject and DevProcs, counted for tests.
void countObject(int32_t delta);
int32_t objects();

}  // namespace doslive
