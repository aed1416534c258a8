#include "files/objects/base_file.h"

#include <algorithm>

#include "core/arena.h"
#include "core/exception.h"
#include "files/paths/path_operations.h"
#include "files/syntax/path_syntax.h"
#include "os/dos/dos.h"

namespace {

// Raises BRK when the user pressed Ctrl-C since the last test (and clears it).
void testBreak() {
  if (SetSignal(0, SIGBREAKF_CTRL_C) & SIGBREAKF_CTRL_C) Throw("BRK", "Ctrl-C received");
}

// Ends an object on a way out that already carries an error: that error is
// the one to pass on.
void endQuietly(cBaseFile*& file) {
  try {
    End(file);
  } catch (...) {
  }
}

}  // namespace

bool cBaseFile::create(const char* path, bool failIfExists, bool force) {
  if (!cPath::create(path, failIfExists, force)) return false;
  if (!failIfExists) setSize(0);
  return true;
}

cBaseFile* cBaseFile::makeCopy(const char* destination) {
  const int64_t position = getPosition(false);
  if (!destination) Throw("EMU", "cBaseFile.makeCopy(); path=NILA");
  const bool ftp = IsFtpPath(destination);
  if (ftp) {
    DeletePath(destination, false, false);
  } else if (ExistsPath(destination, false)) {
    // Not ours to touch, now or on the way out.
    fail("cBaseFile.makeCopy()", "destination file already exists");
    return nullptr;
  }

  cBaseFile* copy = nullptr;
  void* buffer = nullptr;
  const char* reason = nullptr;  // set when the copy fails
  auto release = [&] {
    Arena::release(buffer);
    buffer = nullptr;
    setPosition(position);
  };
  // Once the copy is open, whatever stands at the destination is the copy's.
  // An open that failed made nothing (it removes what it made itself): the
  // destination may be the user's link that leads nowhere.
  bool opened = false;
  auto removePartial = [&] {
    if (opened) DeletePath(destination, true, false);
  };
  try {
    copy = make_cBaseFile();
    copy->new_cBaseFile(0);
    opened = copy->open_cBaseFile(destination, false, true, false);
    if (!opened) {
      reason = copy->infoFailureReason();
    } else {
      const int64_t size = getSize();
      const int32_t chunk = static_cast<int32_t>(std::clamp<int64_t>(size, 1, COPY_CHUNK_SIZE));
      buffer = Arena::alloc(static_cast<size_t>(chunk));
      copy->setSize(size);
      for (int64_t at = 0; at < size && !reason;) {
        setPosition(at);
        copy->setPosition(at);
        int32_t missing = 0;
        read_cBaseFile(buffer, chunk, 0, NO_STOP_BYTE, &missing);
        int32_t notWritten = 0;
        at = copy->write_cBaseFile(buffer, chunk - missing, 0, false, &notWritten);
        if (notWritten != 0) reason = "incorrect number of bytes written to host file";
        testBreak();
      }
      if (!reason && !copy->setAttributes(getAttributes(), -1) && !ftp) reason = copy->infoFailureReason();
      if (!reason && !ftp) {
        // A copy is a file of its own: the comment and the other protection
        // bits go along, the source's being a link does not.
        for (const int32_t id : {EXTRA_COMM, EXTRA_ATTR}) {
          int32_t status = 0;
          const intptr_t value = queryExtra(id, &status);
          if (status == 0 && !copy->changeExtra(id, value)) {
            reason = copy->infoFailureReason();
            break;
          }
        }
      }
      if (!reason && !copy->setTime(getTime()) && !ftp) reason = copy->infoFailureReason();
      if (!reason) copy->setPosition(position);
    }
  } catch (...) {
    endQuietly(copy);
    try {
      release();
      removePartial();
    } catch (...) {
    }
    throw;
  }
  release();
  if (!reason) return copy;
  End(copy);
  removePartial();
  fail("cBaseFile.makeCopy()", reason);
  return nullptr;
}

cBaseFile* cBaseFile::clone_cBaseFile(bool writable) {
  requireOpen(className, "clone");
  cBaseFile* twin = make_cBaseFile();
  try {
    twin->new_cBaseFile(infoPadByte());
    if (writable && !infoReadOnly()) {
      // Two writers on one file would overwrite each other's data.
      End(twin);
      return nullptr;
    }
    if (!twin->open_cBaseFile(getPath(), !writable, false, false)) {
      End(twin);
      return nullptr;
    }
    twin->setPosition(getPosition(false));
  } catch (...) {
    endQuietly(twin);
    throw;
  }
  return twin;
}

void cBaseFile::requireTransferArguments(const char* className, const char* operation, const void* buffer,
                                         int32_t length, int32_t offset) {
  if (length < 0) ThrowF("EMU", "%s.%s(); lengthInBytes<0", className, operation);
  if (!buffer) ThrowF("EMU", "%s.%s(); buffer=NILA", className, operation);
  if (offset < 0) ThrowF("EMU", "%s.%s(); offsetInBytes<0", className, operation);
}
