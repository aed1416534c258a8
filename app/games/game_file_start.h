// The first bytes of a game file, read once and shared by all the kind tests
// of that file, so that recognising a file opens it at most once (and only
// for reading).
#pragma once
#include <cstdint>

class GameFileStart {
 public:
  // The most any kind test looks at: the start of a file up to here.
  static constexpr int32_t SIZE = 512;

  // Nothing is read until a test first asks for bytes. path must outlive the object.
  explicit GameFileStart(const char* path) : path_(path) {}

  // Copies up to `count` bytes from `offset` of the file (offset + count at
  // most SIZE) into buffer: the number copied, or -1 when the file cannot be
  // opened or it ends before offset.
  int32_t bytesAt(int32_t offset, uint8_t* buffer, int32_t count);

 private:
  const char* path_;
  bool read_ = false;
  int32_t length_ = -1;  // bytes held; -1 when the file could not be read
  uint8_t bytes_[SIZE] = {};
};
