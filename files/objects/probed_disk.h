// The pieces cFile and cDir share when they find what a disk takes: the
// device a path is on, and the device their class probed last (a name and
// its support bits, remembered until another device is probed).
#pragma once
#include <cstdint>

#include "files/objects/path.h"

// The device of path once expanded ("DH0:/"), ":/" when it has none; a new
// string.
char* DeviceOfPath(const char* path);
// Makes device (a new string, taken over) the object's diskName and answers
// TRUE, unless diskName already names it: then device is disposed and the
// answer is FALSE (the object's support bits stand).
bool AdoptDevice(char*& diskName, char* device);
// TRUE when a device is remembered (remembered is not NIL) and it is device,
// in any case.
bool IsRememberedDisk(const char* remembered, const char* device);
// Remembers device (a copy) and its support bits in place of what was
// remembered before.
void RememberDisk(char*& remembered, int32_t& supports, const char* device, int32_t support);

// What the disk of the object's path takes, into support. Nothing changes
// while diskName already names the path's device; on the device remembered
// (rememberedName, rememberedSupports) support is the remembered bits; on
// another, support is cleared and probe(support) adds the bits the disk
// takes, and that device is remembered. The probes write the object's own
// values back, so a refusal is an answer, not a failure of the object: its
// failure texts are kept as they were.
template <class Probe>
void EvaluateDisk(cPath* object, const char* path, char*& diskName, uint8_t& support, char*& rememberedName,
                  int32_t& rememberedSupports, Probe probe) {
  if (!AdoptDevice(diskName, DeviceOfPath(path))) return;
  if (IsRememberedDisk(rememberedName, diskName)) {
    support = static_cast<uint8_t>(rememberedSupports);
    return;
  }
  const char* origin = object->failureOrigin;
  const char* reason = object->failureReason;
  support = 0;
  probe(support);
  object->failureOrigin = origin;
  object->failureReason = reason;
  RememberDisk(rememberedName, rememberedSupports, diskName, support);
}
