// Why a file of the program could not be read or written, kept until the user
// is told: the file, as the system names it, and the system's reason in its
// own words ("disk is full"). The system's texts last only until its next
// failure, so they are copied here.
#pragma once
#include <cstdint>
#include <initializer_list>

struct FileFailure {
  char file[256] = "";
  char reason[160] = "";

  bool failed() const { return reason[0] != '\0'; }
  // The file (a canonical path) and why: the last failed DOS call's reason
  // (IoErr), else `fallback`.
  void noteIoErr(const char* path, const char* fallback);
  // The file (a canonical path) and a reason of the caller's.
  void note(const char* path, const char* why);
  // The same reason, for another file (a canonical path).
  void moveTo(const char* path);
  // A folder at `blocking` (a canonical path) stands in the way of the file
  // (a canonical path): the reason names it ("PROGDIR:x.new is a folder").
  void noteInTheWay(const char* path, const char* blocking);
  void clear();
  // "reason", or "FILE: reason" when the failure lies with another file than
  // `path` (a canonical path), into `text` of `size` characters.
  void describe(const char* path, char* text, int32_t size) const;
};

// Tells the user, in a message with an "OK" button (on the display a
// requester; with nobody to answer it, one printed line): `format` with each
// "%s" taking the next of `texts`.
void tellUser(const char* format, std::initializer_list<const char*> texts);
