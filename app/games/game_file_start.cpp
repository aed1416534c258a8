#include "app/games/game_file_start.h"

#include <cstring>

#include "os/dos/dos.h"

int32_t GameFileStart::bytesAt(int32_t offset, uint8_t* buffer, int32_t count) {
  if (!read_) {
    read_ = true;
    // Only plain files open, so a FIFO or device never blocks the test.
    if (BPTR fh = Open(path_, MODE_OLDFILE)) {
      length_ = Read(fh, bytes_, SIZE);
      Close(fh);
    }
  }
  if (length_ < 0 || offset < 0 || offset > length_) return -1;
  const int32_t available = length_ - offset;
  const int32_t n = count < available ? count : available;
  if (n > 0) std::memcpy(buffer, bytes_ + offset, static_cast<size_t>(n));
  return n;
}
