// cPath: the common base of every file and directory object. It names its
// object by a canonical path and reports expected failures as answers: an
// operation that fails answers FALSE (or NIL) and leaves a failure origin
// ("cHostFile.open()") and a reason ("file does not exist: ...") on the
// object. Misuse is raised with EMU. The host classes fill in the operations
// that are placeholders here.
#pragma once
#include <cstdint>

#include "files/objects/extra.h"

// Attribute bits (setAttributes, getAttributes, getAttributesSupported).
constexpr int32_t ATTR_READABLE = 2;
constexpr int32_t ATTR_WRITABLE = 4;
constexpr int32_t ATTR_DELETABLE = 8;
constexpr int32_t ATTR_HOST_BIT = 16;  // a fourth bit of the host's own
constexpr int32_t ATTR_ALL = ATTR_READABLE | ATTR_WRITABLE | ATTR_DELETABLE | ATTR_HOST_BIT;

class cPath : public cExtra {
  LUDEX_CLASS(cPath, cExtra)

 public:
  // The operation that failed last: "class.method()", a fixed text (not owned).
  const char* failureOrigin = nullptr;
  // Why it failed; valid until the next failing operation of any object
  // (host reasons share one buffer). Not owned.
  const char* failureReason = nullptr;
  // TRUE when the object was opened read-only.
  bool readOnlyFlag = false;

  // Opens the object at the canonical path. Placeholder.
  virtual bool open(const char* /*path*/, bool /*readOnly*/, bool /*force*/) { return false; }
  // Creates the object: without failIfExists whatever is at the path is
  // deleted first (with force also a protected object, of either kind);
  // with failIfExists an existing object of the path's kind gives FALSE
  // (origin "cPath.create()", reason "object already exists"). Then opens
  // it writable; open's answer is the answer. EMU for a NIL path.
  virtual bool create(const char* path, bool failIfExists, bool force);
  virtual void close() {}
  virtual void flush() {}
  // A new bare object of the same class (no constructor run); NIL here.
  virtual cPath* make() { return nullptr; }
  // A new object open on the same path, or NIL; NIL here.
  virtual cPath* clone(bool /*writable*/) { return nullptr; }

  // The failure texts: NIL when nothing has failed.
  virtual const char* infoFailureOrigin() { return failureOrigin; }
  virtual const char* infoFailureReason() { return failureReason; }
  virtual bool infoReadOnly() { return readOnlyFlag; }
  virtual bool infoIsOpen() { return false; }

  // Attributes (ATTR_...): those of mask become those of attributes.
  virtual bool setAttributes(int32_t /*attributes*/, int32_t /*mask*/) { return false; }
  virtual int32_t getAttributes() { return 0; }
  // The attributes the host can change.
  virtual int32_t getAttributesSupported() { return 0; }

  // Renames or moves the object to the canonical path (copied). Placeholder.
  virtual bool setPath(const char* /*path*/) { return false; }
  // The object's canonical path, owned by the object; NIL here.
  virtual const char* getPath() { return nullptr; }
  // Moves the object into the directory path newDirPath, keeping its name.
  // On FALSE the origin is "cPath.setSubPath()" and the reason setPath's.
  virtual bool setSubPath(const char* newDirPath);
  // A new string: the directory part of the path ("" when it has none).
  virtual char* getSubPath();
  // Renames the object within its directory; a directory's new name carries
  // its own "/". On FALSE the origin is "cPath.setName()" and the reason
  // setPath's.
  virtual bool setName(const char* newName);
  // A new string: the final component (a directory keeps its "/").
  virtual char* getName();

 protected:
  // The guards of an operation of the class named className (the class whose
  // method runs): EMU "<className>.<operation>(); file not open" ("dir not
  // open" for a directory) when the object is closed; requireWritable then
  // also EMU "...; file opened in read only mode" when it was opened
  // read-only.
  void requireOpen(const char* className, const char* operation);
  void requireWritable(const char* className, const char* operation);
  // Leaves both failure texts and answers FALSE, for `return fail(...)`.
  bool fail(const char* origin, const char* reason);
  void clearFailure();
  // setPath of the first firstLength characters of first followed by
  // second; on FALSE the failure origin becomes origin.
  bool setPathJoined(const char* first, int32_t firstLength, const char* second, const char* origin);
};
