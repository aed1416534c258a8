#include "app/games/line_files.h"

#include <cstring>

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

// Splits text (length characters, a "\n" appended after them) into a chain of
// lines, a "\r" before a line end dropped.
char* splitIntoLines(const char* text, int32_t length, char** last) {
  StringChain lines;
  try {
    int32_t position = 0;
    while (position <= length) {
      const char* end = static_cast<const char*>(std::memchr(text + position, '\n', static_cast<size_t>(length + 1 - position)));
      int32_t lineLength = static_cast<int32_t>(end - (text + position));
      const int32_t next = position + lineLength + 1;
      if (lineLength > 0 && text[position + lineLength - 1] == '\r') --lineLength;
      char* line = NewString(lineLength > 0 ? lineLength : 1);
      std::memcpy(line, text + position, static_cast<size_t>(lineLength));
      SetStr(line, lineLength);
      lines.append(line);
      position = next;
    }
  } catch (...) {
    DisposeString(lines.head);
    throw;
  }
  if (last) *last = lines.last;
  return lines.head;
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

char* readLines(const char* path, char** last) {
  if (last) *last = nullptr;
  cBaseFile* file = new cHostFile;
  char* text = nullptr;
  char* lines = nullptr;
  try {
    file->new_cBaseFile(0);
    if (file->open(path, true, false)) {
      // The whole size, not its low 32 bits; a file too large to hold is
      // not read at all.
      const int64_t size = file->getSize();
      if (size >= 0 && size <= MAX_LINE_FILE_SIZE) {
        text = NewString(static_cast<int32_t>(size) + 1);
        int32_t notDelivered = 0;
        file->read_cBaseFile(text, static_cast<int32_t>(size), 0, NO_STOP_BYTE, &notDelivered);
        file->close();
        const int32_t length = static_cast<int32_t>(size) - notDelivered;
        text[length] = '\n';
        lines = splitIntoLines(text, length, last);
      }
    }
  } catch (...) {
    DisposeString(text);
    endFile(file);
    throw;
  }
  DisposeString(text);
  endFile(file);
  return lines;
}

bool writeLines(const char* path, const char* lines) {
  cBaseFile* file = new cFile;
  bool written = false;
  try {
    file->new_cBaseFile(0);
    DeletePath(path, false, false);
    if (!lines) {
      endFile(file);
      return false;
    }
    // Any failure of the open, a write, the flush or the close is a failed
    // save, whatever the file object raises for it: the file holds less than
    // it should and is deleted, and the caller keeps its old file.
    try {
      if (file->open(path, false, false)) {
        file->setSize(0);
        int64_t position = 0;
        for (const char* line = lines; line; line = StrNext(line)) {
          file->setPosition(position);
          position = file->write_cBaseFile(line, EstrLen(line), 0, false);
          if (StrNext(line)) {
            file->setPosition(position);
            position = file->write_cBaseFile(LINE_SEPARATOR, static_cast<int32_t>(std::strlen(LINE_SEPARATOR)), 0, false);
          }
        }
        file->flush();
        file->close();
        written = true;
      }
    } catch (const Exception&) {
    }
    if (!written) {
      endFile(file);
      DeletePath(path, false, false);  // no file may claim to be complete
    }
  } catch (...) {
    endFile(file);
    throw;
  }
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
