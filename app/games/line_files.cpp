#include "app/games/line_files.h"

#include <cstring>

#include "app/launching/file_failure.h"
#include "core/arena.h"
#include "core/exception.h"
#include "core/strings/string.h"
#include "files/objects/file.h"
#include "files/objects/host_file.h"
#include "files/paths/path_operations.h"

namespace {

// Lines are separated by "\n" on the Amiga systems ("\r\n" would be Windows').
const char* const LINE_SEPARATOR = "\n";
// The largest file read whole: a program string holds at most this much.
constexpr int64_t MAX_LINE_FILE_SIZE = INT32_MAX - 16;
// Lines are written joined in blocks of this many bytes.
constexpr int32_t WRITE_BLOCK_SIZE = 65536;

// Writes the chain's lines, each but the last followed by the separator, from
// the file's start. They go out joined in blocks: every write of the file
// object stamps the file's time, which costs far more than copying a line.
// A line longer than a block is written by itself.
void writeJoined(cBaseFile* file, const char* lines, char* block) {
  const int32_t separatorLength = static_cast<int32_t>(std::strlen(LINE_SEPARATOR));
  int64_t position = 0;
  int32_t filled = 0;
  const auto writeOut = [&](const char* bytes, int32_t length) {
    if (length == 0) return;
    file->setPosition(position);
    position = file->write_cBaseFile(bytes, length, 0, false);
  };
  for (const char* line = lines; line; line = StrNext(line)) {
    const int32_t length = EstrLen(line);
    const int32_t needed = length + (StrNext(line) ? separatorLength : 0);
    if (filled + needed > WRITE_BLOCK_SIZE) {
      writeOut(block, filled);
      filled = 0;
    }
    if (needed > WRITE_BLOCK_SIZE) {
      writeOut(line, length);
    } else {
      std::memcpy(block + filled, line, static_cast<size_t>(length));
      filled += length;
    }
    if (StrNext(line)) {
      std::memcpy(block + filled, LINE_SEPARATOR, static_cast<size_t>(separatorLength));
      filled += separatorLength;
    }
  }
  writeOut(block, filled);
}

// Ends the file object, closing it first when it is still open; an error
// of that close is not passed on.
void endFile(cBaseFile*& file) {
  try {
    End(file);
  } catch (const Exception&) {
  }
  file = nullptr;
}

}  // namespace

int32_t LineReader::next(int32_t* start) {
  *start = position_;
  const char* end =
      static_cast<const char*>(std::memchr(text_ + position_, '\n', static_cast<size_t>(length_ + 1 - position_)));
  int32_t lineLength = static_cast<int32_t>(end - (text_ + position_));
  position_ += lineLength + 1;
  if (lineLength > 0 && text_[*start + lineLength - 1] == '\r') --lineLength;
  return lineLength;
}

char* LineReader::take() {
  int32_t start = 0;
  const int32_t lineLength = next(&start);
  char* line = NewString(lineLength > 0 ? lineLength : 1);
  std::memcpy(line, text_ + start, static_cast<size_t>(lineLength));
  SetStr(line, lineLength);
  return line;
}

const char* LineReader::takeInPlace(int32_t* lineLength) {
  int32_t start = 0;
  const int32_t length = next(&start);
  text_[start + length] = '\0';
  if (lineLength) *lineLength = length;
  return text_ + start;
}

char* readText(const char* path, int32_t* length, FileFailure* failure) {
  *length = 0;
  cBaseFile* file = new cHostFile;
  char* text = nullptr;
  try {
    file->new_cBaseFile(0);
    if (!file->open(path, true, false)) {
      if (failure) failure->note(path, file->infoFailureReason());
    } else {
      // The whole size, not its low 32 bits; a file too large to hold is
      // not read at all.
      const int64_t size = file->getSize();
      if (size < 0 || size > MAX_LINE_FILE_SIZE) {
        if (failure) failure->note(path, "the file is too large");
      } else {
        text = NewString(static_cast<int32_t>(size) + 1);
        // A read that fails or ends early gives no text at all: part of a
        // file must never be taken for the whole of it.
        int32_t notDelivered = 0;
        try {
          file->read_cBaseFile(text, static_cast<int32_t>(size), 0, NO_STOP_BYTE, &notDelivered);
        } catch (const Exception&) {
          notDelivered = -1;
        }
        if (notDelivered != 0) {
          if (failure) failure->noteIoErr(path, "the file ended before its size");
          DisposeString(text);
          text = nullptr;
        } else {
          file->close();
          *length = static_cast<int32_t>(size);
          text[*length] = '\n';
          SetStr(text, *length + 1);
        }
      }
    }
  } catch (...) {
    DisposeString(text);
    endFile(file);
    throw;
  }
  endFile(file);
  return text;
}

char* readLines(const char* path, char** last, FileFailure* failure) {
  if (last) *last = nullptr;
  int32_t length = 0;
  char* text = readText(path, &length, failure);
  if (!text) return nullptr;
  StringChain lines;
  try {
    for (LineReader reader(text, length); !reader.atEnd();) lines.append(reader.take());
  } catch (...) {
    DisposeString(lines.head);
    DisposeString(text);
    throw;
  }
  DisposeString(text);
  if (last) *last = lines.last;
  return lines.head;
}

bool writeLines(const char* path, const char* lines, FileFailure* failure) {
  cBaseFile* file = new cFile;
  bool written = false;
  char* block = nullptr;
  try {
    file->new_cBaseFile(0);
    DeletePath(path, false, false);
    if (!lines) {
      endFile(file);
      if (failure) failure->note(path, "nothing to write");
      return false;
    }
    block = static_cast<char*>(Arena::alloc(WRITE_BLOCK_SIZE));
    // Any failure of the open, a write, the flush or the close is a failed
    // save, whatever the file object raises for it: the file holds less than
    // it should and is deleted, and the caller keeps its old file.
    try {
      if (!file->open(path, false, false)) {
        if (failure) failure->note(path, file->infoFailureReason());
      } else {
        file->setSize(0);
        writeJoined(file, lines, block);
        file->flush();
        file->close();
        written = true;
      }
    } catch (const Exception& e) {
      // Why, before the clean-up's own calls change it.
      const char* reason = file->infoFailureReason();
      if (failure) failure->noteIoErr(path, reason ? reason : e.message());
    }
    if (!written) {
      endFile(file);
      DeletePath(path, false, false);  // no file may claim to be complete
    }
  } catch (...) {
    Arena::release(block);
    endFile(file);
    throw;
  }
  Arena::release(block);
  endFile(file);
  return written;
}

bool fileCopy(const char* source, const char* destination) {
  cBaseFile* file = new cHostFile;
  cBaseFile* copy = nullptr;
  try {
    file->new_cBaseFile(0);
    if (file->open(source, true, false)) {
      copy = file->makeCopy(destination);
      if (copy) copy->close();
      file->close();
    }
  } catch (...) {
    endFile(copy);
    endFile(file);
    throw;
  }
  const bool made = copy != nullptr;
  endFile(copy);
  endFile(file);
  return made;
}
