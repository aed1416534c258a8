// cHostFile: the file object on dos.library. It holds one file handle on a
// file named by a canonical path, reads and writes at 64-bit positions
// without moving its own position, grows files with its pad byte, shrinks
// them, and reads and changes the file's protection, comment, date and link
// state.
//
// dos.library refuses to rename an object, or change its protection,
// comment, date or link state, while a handle is open on it; every such
// change closes the handle, makes the change and opens the handle again (the
// open kludge).
//
// Expected failures answer FALSE and leave a failure origin ("cHostFile.
// open()") and reason ("file does not exist: <the system's text>"; host
// texts share one buffer, so a caller that keeps a reason copies it). Misuse
// raises EMU, broken invariants BUG, failing transfers FILE or FULL.
#pragma once
#include <cstdint>

#include "files/objects/base_file.h"
#include "os/dos/dos.h"

// cHostFile::flags: the file cannot be examined (ExamineFH failed at open,
// or it lies on FTP); a later failing ExamineFH is then no error, and no
// attributes can be changed.
constexpr uint16_t HOSTFILE_UNEXAMINABLE = 1;
// Pad bytes are written from one chunk of at most this many bytes.
constexpr int32_t PAD_CHUNK_SIZE = 512000;

class cHostFile : public cBaseFile {
  LUDEX_CLASS(cHostFile, cBaseFile)

 public:
  uint8_t padByte = 0;
  char* canonicalPath = nullptr;  // as open was given it; NIL while closed
  char* hostPath = nullptr;       // the same in the system's form
  FileInfoBlock* fileInfo = nullptr;  // the last examination: protection, size, date, comment
  BPTR handle = ZERO;             // ZERO exactly while closed
  int64_t size = 0;               // the size as this object knows it
  int64_t position = 0;           // the logical position; only setPosition moves it
  int64_t handlePosition = 0;     // where the handle stands; -1 when not known
  uint16_t flags = 0;             // HOSTFILE_...
  // Protection bits that a forced open cleared to get access; close sets
  // them again.
  int32_t removedProtection = 0;
  // Access-denying bits (read, write) that setAttributes was asked for while
  // the file is open: on disk they would keep the handle from being opened
  // again, so they are set by close. getAttributes counts them.
  int32_t pendingProtection = 0;
  char* linkTarget = nullptr;  // canonical path, once looked up
  int32_t linkKind = 0;        // LINK_KIND_... (files/dos/links.h)

  // Closes the file when open (an error of that close is not passed on),
  // then releases the file info.
  void end_class() override;

  // Extra data: "COMM" the comment, "ATTR" the protection bits outside the
  // attributes, "LINK" the link target of either kind, "SLNK" and "HLNK" the
  // target when the file is a link of that kind. changeExtra of "SLNK" or
  // "HLNK" with a target makes the file such a link (its data go), with NIL
  // it makes a link of that kind a new empty file. "LINK" and unknown ids
  // are refused (FALSE, *status -1).
  bool setExtra(cExtra* other) override;
  cExtra* getExtra() override;
  bool changeExtra(int32_t id, intptr_t value, int32_t* status = nullptr) override;
  intptr_t queryExtra(int32_t id, int32_t* status = nullptr) override;

  // Closes the handle and sets the protection bits that the open removed or
  // that setAttributes held back.
  void close() override;
  // Writes what the handle holds back and examines the file again.
  void flush() override;
  bool infoIsOpen() override { return handle != ZERO; }
  bool setAttributes(int32_t attributes, int32_t mask) override;
  int32_t getAttributes() override;
  // ATTR_ALL, or 0 for a file that cannot be examined.
  int32_t getAttributesSupported() override;
  // Renames or moves the open file.
  bool setPath(const char* path) override;
  const char* getPath() override;

  // Stores the pad byte and allocates the file info (MEM when it cannot).
  void new_cBaseFile(uint8_t padByte) override;
  bool open_cBaseFile(const char* path, bool readOnly, bool force, bool atEnd) override;
  cBaseFile* make_cBaseFile() override { return make_cHostFile(); }
  uint8_t infoPadByte() override { return padByte; }
  int64_t write_cBaseFile(const void* buffer, int32_t length, int32_t offset, bool noGrow,
                          int32_t* notWritten = nullptr) override;
  int64_t read_cBaseFile(void* buffer, int32_t length, int32_t offset, int32_t stopByte,
                         int32_t* notDelivered = nullptr) override;
  void setPosition(int64_t position) override;
  int64_t getPosition(bool fromEnd) override;
  // Shrinks the file or grows it with pad bytes. Shrinking to 2 GiB or more
  // is beyond the system's 32-bit call and raises FILE.
  void setSize(int64_t size) override;
  int64_t getSize() override;
  bool setTime(int64_t time) override;
  int64_t getTime() override;
  cBaseFile* clone_cBaseFile(bool writable) override { return clone_cHostFile(writable); }

  // A new bare object of this class (cFile gives a cFile).
  virtual cHostFile* make_cHostFile() { return new cHostFile; }
  virtual cHostFile* clone_cHostFile(bool writable) {
    return static_cast<cHostFile*>(cBaseFile::clone_cBaseFile(writable));
  }
  virtual cHostFile* makeCopy_cHostFile(const char* destination) {
    return static_cast<cHostFile*>(makeCopy(destination));
  }
  // Closes the handle before a change by name (BUG when it is not open).
  virtual void openKludgeBegin();
  // Opens it again afterwards at the same logical position (BUG when it is
  // open; BUG, the object left closed, when it cannot be opened).
  virtual void openKludgeFinish();
  // Writes count pad bytes at position (FULL when the disk fills up).
  virtual void writePadBytes(int64_t count, int64_t position);
  // Records growth (written by the caller) and performs shrinking (FILE when
  // the file system refuses it).
  virtual void setSizeQuick(int64_t size);

 protected:
  // ExamineFH into the file info; FILE "cHostFile.<operation>(); ExamineFH()
  // failed" when it fails on a file that can be examined. TRUE when examined.
  bool examineHandle(const char* operation);
  // The size after an examination: the examined size, or at its 32-bit cap
  // the handle's real end (the size known so far when that cannot be had).
  int64_t examinedSize();
  // Where the handle stands, asked of the handle (after an error).
  void rereadHandlePosition();
  // After growth failed: the size the file has on disk, and the handle's
  // position.
  void resyncAfterFailedGrowth();
  // Seeks the handle to the position unless it stands there.
  void seekHandleTo(int64_t where);
  // Sets the removed and held-back protection bits again (result unchecked).
  void restoreProtection();
  // Releases both paths and the link target.
  void releasePaths();
  // Turns the file into a link of kind to target, or (target NIL) a link of
  // that kind into a new empty file.
  bool changeLink(int32_t kind, const char* target);
};
