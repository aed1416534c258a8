// cDir: the public directory class. In front of cHostDir it keeps the
// directory's attributes and extra data in a cache: changes go to the cache
// and reach the disk together on flush and close. Which of them a disk takes
// is found once per device (evaluateDisk); a change the disk does not take
// is refused at once ("not supported by disk").
#pragma once
#include <cstdint>

#include "files/objects/host_dir.h"

class cHostExtra;

// Support and dirty bits of a cDir.
constexpr uint8_t DIR_ATTRIBUTES = 1;
constexpr uint8_t DIR_EXTRA = 2;

// The device most recently probed by any cDir ("DH0:/"), NIL at start, and
// what it takes (DIR_ATTRIBUTES, DIR_EXTRA).
extern char* dirDiskName;
extern int32_t dirDiskSupports;
// Forget the probed device (module start), and release its name (module end).
void clearDirDiskSupport();
void disposeDirDiskSupport();

class cDir : public cHostDir {
  LUDEX_CLASS(cDir, cHostDir)

 public:
  int32_t cachedAttributes = 0;
  cHostExtra* extraCache = nullptr;  // owned
  // FALSE while the cache is filled from the host or written to it: then the
  // extra operations of the object go to cHostDir.
  bool filling = false;
  uint8_t dirty = 0;          // DIR_... changed since the last flush
  uint8_t support = 0;        // DIR_... the disk takes; 0 until evaluated
  char* diskName = nullptr;   // the device the support bits are of; owned

  // cHostDir's constructor and an empty extra cache.
  void new_cBaseDir() override;
  // cHostDir's end (which closes, and so flushes, an open object), then the
  // cache and the disk name go.
  void end_class() override;

  // Opens as cHostDir, fills the cache from the directory and, when
  // writable, evaluates the disk.
  bool open(const char* path, bool readOnly, bool force) override;
  // Flushes unless read-only, then closes (also when the flush fails, whose
  // error then passes on).
  void close() override;
  // Unless read-only, writes the changed extra data and attributes (FILE
  // when the disk refuses one); then examines the directory again. A
  // read-only object fills its cache from the directory again.
  void flush() override;

  // Change the cached attributes (only those of mask that cDir supports).
  bool setAttributes(int32_t attributes, int32_t mask) override;
  int32_t getAttributes() override { return cachedAttributes; }
  // Extra data through the cache; "SLNK" and "HLNK" changes are written at
  // once (a flush before and after).
  bool setExtra(cExtra* other) override;
  cExtra* getExtra() override;
  bool changeExtra(int32_t id, intptr_t value, int32_t* status = nullptr) override;
  intptr_t queryExtra(int32_t id, int32_t* status = nullptr) override;

  cHostDir* make_cHostDir() override { return make_cDir(); }
  cHostDir* clone_cHostDir(bool writable) override { return clone_cDir(writable); }

  // Finds what the device of path takes (once per device in a row, shared by
  // every cDir), by writing the cached attributes and extra data back.
  virtual void evaluateDisk(const char* path);
  virtual cDir* make_cDir() { return new cDir; }
  virtual cDir* clone_cDir(bool writable);

 private:
  // Fill the cache from the directory, with filling FALSE meanwhile.
  void fillCache();
  // Write the cache through cHostDir's setExtra, with filling FALSE meanwhile.
  bool writeCache();
};
