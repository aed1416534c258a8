// A sandbox for the file objects. The objects it makes are ended at the end
// of the test (also when the test failed half-way), before the check that
// nothing was left behind; injected failures, strict mode and a pending
// Ctrl-C are cleared.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "core/exception.h"
#include "files/objects/base_file.h"
#include "tests/files/dos_layer_fixture.h"
#include "tests/files/error_text.h"

class FileObjectTest : public DosLayerTest {
 public:
  // "ID message" of the error that f raises, "no error" when none.
  static std::string errorOf(const std::function<void()>& f) { return trimmedErrorOf(f); }
  // The protection word and comment of an object by its host path.
  static int32_t protectionOf(const char* host) {
    FileInfoBlock fib{};
    return examined(host, &fib) ? fib.fib_Protection : -1;
  }
  static std::string commentOf(const char* host) {
    FileInfoBlock fib{};
    return examined(host, &fib) ? fib.fib_Comment : "<none>";
  }
  static bool examined(const char* host, FileInfoBlock* fib) {
    const BPTR lock = Lock(host, SHARED_LOCK);
    if (!lock) return false;
    const bool done = Examine(lock, fib);
    UnLock(lock);
    return done;
  }

 protected:
  // A constructed file object of class T, ended by the fixture unless the
  // test ends it with finish().
  template <class T>
  T* made(uint8_t padByte = '.') {
    T* file = new T;
    try {
      file->new_cBaseFile(padByte);
    } catch (...) {
      End(file);
      throw;
    }
    return kept(file);
  }
  // Takes an object another call handed out (a copy, a clone; NIL is kept
  // as NIL) into the fixture's care.
  template <class T>
  T* kept(T* file) {
    if (file) files_.push_back(file);
    return file;
  }
  // Ends one of the fixture's objects now.
  void finish(cBaseFile* file) {
    for (cBaseFile*& f : files_)
      if (f == file) End(f);
  }

  // Ends every object the fixture holds.
  void endAll() {
    for (cBaseFile*& file : files_) End(file);
    files_.clear();
  }

  void TearDown() override {
    endAll();
    ostest::clearFailures();
    ostest::setStrictMode(false);
    SetSignal(0, SIGBREAKF_CTRL_C);
    DosLayerTest::TearDown();
  }

 private:
  std::vector<cBaseFile*> files_;
};
