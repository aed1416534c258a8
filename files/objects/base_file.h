// cBaseFile: the file object every file class of the library implements.
//
// The contract:
// - Positions and sizes are signed 64-bit byte counts; a negative position
//   given to setPosition counts from the end (-1 is the end, -2 the last byte).
// - Read and write never move the position. They return the position just
//   after the data (after the stop byte, for a read that stopped at one) and,
//   through their last argument, how many of the length bytes were not
//   delivered or not written. A sequential caller sets the position to the
//   result.
// - A read past the end delivers the whole length, the bytes beyond the end
//   being the pad byte (and counted as not delivered); after a stop byte the
//   rest of the length holds pad bytes. A write past the end first fills the
//   gap with pad bytes; with noGrow it is cut at the end instead.
// - Misuse raises EMU "<class>.<operation>(); <what>", checked in the order:
//   "file not open", "file opened in read only mode" (changing operations),
//   "lengthInBytes<0", "buffer=NILA", "offsetInBytes<0"; setSize of a
//   negative size is "sizeInBytes<0". Transfers call themselves "read()" and
//   "write()".
// - Expected failures of open, setTime and the changes of cPath answer FALSE
//   with a failure origin and reason.
// Times are seconds since 2000-01-01 00:00:00. Nothing makes a bare cBaseFile.
#pragma once
#include <cstdint>

#include "files/objects/path.h"

// The stop byte of a read that has none.
constexpr int32_t NO_STOP_BYTE = -1;
// makeCopy moves the data in steps of this many bytes.
constexpr int32_t COPY_CHUNK_SIZE = 51200;

class cBaseFile : public cPath {
  LUDEX_CLASS(cBaseFile, cPath)

 public:
  bool open(const char* path, bool readOnly, bool force) override {
    return open_cBaseFile(path, readOnly, force, false);
  }
  // cPath's create; a file that replaced an existing one is emptied.
  bool create(const char* path, bool failIfExists, bool force) override;
  cPath* make() override { return make_cBaseFile(); }
  cPath* clone(bool writable) override { return clone_cBaseFile(writable); }

  // The constructor: the pad byte is fixed for the object's life.
  virtual void new_cBaseFile(uint8_t /*padByte*/) {}
  // Opens the file at the canonical path. force clears read or write
  // protection that stands in the way; atEnd starts at the end instead of 0.
  virtual bool open_cBaseFile(const char* /*path*/, bool /*readOnly*/, bool /*force*/, bool /*atEnd*/) {
    return false;
  }
  // A new bare object of the caller's own class, no constructor run.
  virtual cBaseFile* make_cBaseFile() { return nullptr; }
  virtual uint8_t infoPadByte() { return 0; }

  // Writes length bytes from buffer + offset at the position. Returns the
  // position after them; *notWritten gets what noGrow cut off.
  virtual int64_t write_cBaseFile(const void* /*buffer*/, int32_t /*length*/, int32_t /*offset*/,
                                  bool /*noGrow*/, int32_t* notWritten = nullptr) {
    if (notWritten) *notWritten = 0;
    return 0;
  }
  // Reads length bytes at the position into buffer + offset, ending after the
  // first byte equal to stopByte (NO_STOP_BYTE: none). Returns the position
  // after the data; *notDelivered gets how many of the length bytes are not
  // the file's.
  virtual int64_t read_cBaseFile(void* /*buffer*/, int32_t /*length*/, int32_t /*offset*/,
                                 int32_t /*stopByte*/, int32_t* notDelivered = nullptr) {
    if (notDelivered) *notDelivered = 0;
    return 0;
  }
  virtual void setPosition(int64_t /*position*/) {}
  // The position; fromEnd: the position minus size minus 1 (-1 at the end).
  virtual int64_t getPosition(bool /*fromEnd*/) { return 0; }
  // Growing appends pad bytes.
  virtual void setSize(int64_t /*size*/) {}
  virtual int64_t getSize() { return 0; }
  virtual bool setTime(int64_t /*time*/) { return false; }
  virtual int64_t getTime() { return 0; }

  // Copies the open file's data, attributes, comment, other protection bits
  // and time to a new file at destination, which must not exist (on FTP it
  // is replaced). Returns the copy, of this object's class, open for writing
  // at this object's position; NIL with origin "cBaseFile.makeCopy()" and a
  // reason when it fails. A copy is no link: the source's link state is not
  // copied. A partial copy is deleted unless the destination existed.
  // Ctrl-C raises BRK "Ctrl-C received".
  virtual cBaseFile* makeCopy(const char* destination);
  // A second object on the same file at the same position, read-only unless
  // writable; NIL when it cannot be opened, and for a writable clone of an
  // object that is open for writing.
  virtual cBaseFile* clone_cBaseFile(bool writable);

 protected:
  // The argument checks of read and write in the class named className:
  // EMU "<className>.<operation>(); lengthInBytes<0", "...; buffer=NILA",
  // "...; offsetInBytes<0", in that order.
  static void requireTransferArguments(const char* className, const char* operation, const void* buffer,
                                       int32_t length, int32_t offset);
};
