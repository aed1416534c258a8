// cFile: the file class the program writes with. In front of cHostFile it
// keeps
// - a write-back window: 512,000 bytes of the file in memory, whose dirty
//   prefix reaches the host only when the window moves, on flush and on
//   close, so that many small transfers cost few dos.library calls;
// - a cache of the file's size, attributes, time and extra data: changes go
//   to the cache and reach the disk together on flush, after the data, in the
//   order data, size, extra, attributes, time (every earlier change touches
//   the file's date, so the time goes last).
// Which of time, attributes and extra data a disk takes is found once per
// device (evaluateDisk); a change it does not take is refused at once with
// "not supported by disk".
//
// Writes and size changes stamp the cached time with the current time where
// the disk takes dates, so a closed file carries the time of its last change
// unless setTime set another. Sizes, positions from the end and reads all
// follow the cached size, pending changes included.
//
// Ending an open cFile closes it, which writes what is pending; an error of
// that ending flush passes on once the object is released.
#pragma once
#include <cstdint>

#include "files/objects/host_file.h"

class cHostExtra;

// The window over the file: transfers longer than this bypass it.
constexpr int32_t FILE_WINDOW_SIZE = 512000;

// What a disk takes (cFile::support, fileDiskSupports).
constexpr uint8_t FILE_TAKES_TIME = 1;
constexpr uint8_t FILE_TAKES_ATTRIBUTES = 2;
constexpr uint8_t FILE_TAKES_EXTRA = 4;
// What changed since the last flush (cFile::dirty).
constexpr uint8_t FILE_DIRTY_ATTRIBUTES = 1;
constexpr uint8_t FILE_DIRTY_TIME = 2;
constexpr uint8_t FILE_DIRTY_EXTRA = 4;

// The device most recently probed by any cFile ("DH0:/"), NIL at start, and
// what it takes (FILE_TAKES_...). Only the last probed device is remembered.
extern char* fileDiskName;
extern int32_t fileDiskSupports;
// Forget the probed device (module start), and release its name (module end).
void clearFileDiskSupport();
void disposeFileDiskSupport();

// The buffered file module. Start: no device probed yet.
void new_cpath_file();
// End: releases the remembered device; safe when the module never started.
void end_cpath_file();

class cFile : public cHostFile {
  LUDEX_CLASS(cFile, cHostFile)

 public:
  int32_t cachedAttributes = 0;
  int64_t cachedTime = 0;            // seconds since 2000-01-01
  cHostExtra* extraCache = nullptr;  // owned
  // FALSE while the cache is filled from the host or written to it: then the
  // extra queries and changes of the object go to cHostFile.
  bool filling = false;
  uint8_t dirty = 0;       // FILE_DIRTY_...
  int64_t cachedSize = 0;  // the size the file has after the next flush
  uint8_t* window = nullptr;  // FILE_WINDOW_SIZE bytes once a transfer needs them; owned
  int64_t windowStart = 0;    // file position of the window's first byte
  // Bytes at the start of the window not yet written to the host.
  int32_t dirtyLength = 0;
  // The window's bytes after the dirty prefix hold the file's contents.
  bool loaded = false;
  uint8_t support = 0;       // FILE_TAKES_...; 0 until evaluated
  char* diskName = nullptr;  // the device the support bits are of; owned
  // The host's bytes are the file's only below this: a shrink not yet made
  // on the host leaves stale bytes beyond it, which must never come back.
  int64_t hostValidEnd = 0;

  // cHostFile's constructor and an empty extra cache.
  void new_cBaseFile(uint8_t padByte) override;
  // Closes (and so flushes) an open object while everything it holds is
  // still there, then releases the cache, the window and the disk name.
  void end_class() override;

  // Opens as cHostFile, fills the cache from the file and, when writable,
  // evaluates the disk.
  bool open_cBaseFile(const char* path, bool readOnly, bool force, bool atEnd) override;
  // Unless read-only: the time is marked to be written again (unless the
  // file is a link), then flush. Then the host file is closed, also when the
  // flush fails (whose error then passes on).
  void close() override;
  // Unless read-only, writes the window's dirty prefix, the size, the extra
  // data, the attributes and the time (FILE "cFile.flush(); failed to set one
  // of more of: time, attributes & extra" when the disk refuses one of the
  // last three; data and size are written by then). Then the cache is filled
  // from the file again.
  void flush() override;

  // The cached values, also on a closed object.
  int32_t getAttributes() override { return cachedAttributes; }
  int64_t getTime() override { return cachedTime; }
  int64_t getSize() override { return cachedSize; }
  // Cached changes: FALSE with "not supported by disk" where the disk does
  // not take them.
  bool setAttributes(int32_t attributes, int32_t mask) override;
  bool setTime(int64_t time) override;
  // The cached size; growth becomes pad bytes, a shrink drops the bytes
  // beyond for good. EMU before anything changes on a closed or read-only
  // object.
  void setSize(int64_t size) override;
  // Positions counted from the end use the cached size.
  void setPosition(int64_t position) override;
  int64_t getPosition(bool fromEnd) override;

  int64_t write_cBaseFile(const void* buffer, int32_t length, int32_t offset, bool noGrow,
                          int32_t* notWritten = nullptr) override;
  int64_t read_cBaseFile(void* buffer, int32_t length, int32_t offset, int32_t stopByte,
                         int32_t* notDelivered = nullptr) override;

  // Extra data through the cache (while filling is FALSE: cHostFile's).
  // Refusals answer FALSE with "not supported by host". "SLNK" and "HLNK"
  // changes are made on disk at once (a flush before and after).
  bool setExtra(cExtra* other) override;
  cExtra* getExtra() override;
  bool changeExtra(int32_t id, intptr_t value, int32_t* status = nullptr) override;
  intptr_t queryExtra(int32_t id, int32_t* status = nullptr) override;

  cHostFile* make_cHostFile() override { return make_cFile(); }
  cHostFile* clone_cHostFile(bool writable) override { return clone_cFile(writable); }
  cHostFile* makeCopy_cHostFile(const char* destination) override { return makeCopy_cFile(destination); }

  // Finds what the device of path takes (once per device in a row, shared by
  // every cFile) by writing the file's own time, attributes and extra data
  // back to it.
  virtual void evaluateDisk(const char* path);
  // Writes the window's dirty prefix to the host.
  virtual void flushDirtyBuffer();
  // Fills the window after its dirty prefix with the file's bytes.
  virtual void loadNonDirty();
  virtual cFile* make_cFile() { return new cFile; }
  virtual cFile* makeCopy_cFile(const char* destination) { return static_cast<cFile*>(makeCopy(destination)); }
  // A clone read-only on a writable object first flushes it, so that the
  // clone sees what this object wrote.
  virtual cFile* clone_cFile(bool writable);

 private:
  // The time of a change: now, where the disk takes dates.
  void stampTime();
  // Fill the cache from the file, or write it to the file (cHostFile's
  // setExtra), with filling FALSE meanwhile.
  void fillCache();
  bool writeCache();
  // The cache, attributes, time and size as the host has them.
  void rereadFromHost();
  void allocateWindow();
  // Writes the dirty prefix and starts an empty window at start.
  void moveWindow(int64_t start);
  // Cuts the host file to where its bytes stop being the file's.
  void applyPendingShrink();
  // Makes the host file the file: dirty prefix written, size set.
  void bringHostUpToDate();
  // Forgets the file's bytes from size on, in the window and on the host.
  void dropBytesFrom(int64_t size);
};
