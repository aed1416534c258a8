// How a path object's attributes (ATTR_...) sit in an AmigaDOS protection
// word: readable, writable and deletable are the read, write and delete bits
// clear, the host bit is bit 7 set. The other bits (execute, archive, pure,
// script and any above bit 7) are the object's "ATTR" extra data.
#pragma once
#include <cstdint>

#include "files/objects/path.h"
#include "os/dos/dos.h"

// Bit 7 of the protection word, passed through as ATTR_HOST_BIT.
constexpr int32_t PROT_HOST_BIT = 0x80;
// The protection bits the attributes stand for.
constexpr int32_t PROT_ATTRIBUTE_BITS = FIBF_DELETE | FIBF_WRITE | FIBF_READ | PROT_HOST_BIT;
// The bits that deny an open handle its access: with them on disk a handle
// could not be opened again.
constexpr int32_t PROT_ACCESS_BITS = FIBF_READ | FIBF_WRITE;

inline int32_t attributesOfProtection(int32_t protection) {
  int32_t attributes = 0;
  if (!(protection & FIBF_READ)) attributes |= ATTR_READABLE;
  if (!(protection & FIBF_WRITE)) attributes |= ATTR_WRITABLE;
  if (!(protection & FIBF_DELETE)) attributes |= ATTR_DELETABLE;
  if (protection & PROT_HOST_BIT) attributes |= ATTR_HOST_BIT;
  return attributes;
}

// The protection word with its attribute bits replaced by those that give
// the attributes; every other bit kept.
inline int32_t protectionWithAttributes(int32_t protection, int32_t attributes) {
  protection &= ~PROT_ATTRIBUTE_BITS;
  if (!(attributes & ATTR_READABLE)) protection |= FIBF_READ;
  if (!(attributes & ATTR_WRITABLE)) protection |= FIBF_WRITE;
  if (!(attributes & ATTR_DELETABLE)) protection |= FIBF_DELETE;
  if (attributes & ATTR_HOST_BIT) protection |= PROT_HOST_BIT;
  return protection;
}
