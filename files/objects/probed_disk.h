// The pieces cFile and cDir share when they find what a disk takes: the
// device a path is on, and the device their class probed last (a name and
// its support bits, remembered until another device is probed).
#pragma once
#include <cstdint>

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
