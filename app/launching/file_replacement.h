// Replacing a whole text file so that no interruption leaves a half-written
// file under a name that is taken for a complete one: the lines are written
// under a partial name, which becomes the temporary name only once the file
// is complete and on the disk; the temporary file then takes the file's place
// (the old file becoming the backup where one is kept).
//
// After any failure one of these holds, so that the next start finds the
// newest complete file: the old file is in place and no temporary file is
// left; or no file is in place and the complete new one waits as the
// temporary file, which finishInterruptedReplacement puts in place.
#pragma once

struct FileFailure;

struct FileReplacement {
  const char* path;       // the file itself
  const char* temporary;  // the complete new file, before it takes the file's place
  const char* partial;    // the new file while it is being written
  const char* backup;     // the previous file, or NIL when none is kept
};

enum class ReplacementResult {
  Replaced,               // the new file is in place, the old one is the backup
  ReplacedWithoutBackup,  // the new file is in place, but the old one could not become the backup and is gone
  Failed,                 // the new file is not in place
};

// Writes the lines as the new file and puts it in place. A backup that
// cannot be removed (protected, or a folder of that name) stays as it is:
// the new file then replaces the old one without a new backup. *failure
// says why whenever the result is not Replaced, naming what stands in the
// way when that is not the file itself. Never removes anything that is
// protected, and writes nothing when something of another kind (a folder)
// stands at the file's name. A link at the backup, temporary or partial
// name is removed as a link, and so is a link in the file's place that
// leads nowhere; what a link leads to is never touched.
ReplacementResult replaceFileWithLines(const FileReplacement& file, const char* lines, FileFailure* failure);

// Before the file is read, and before each replacement: deletes a partial file
// that an interrupted write left, and puts a complete temporary file in place
// when the file is missing. FALSE when such a temporary file is still waiting
// (IoErr says why it could not take the file's place).
bool finishInterruptedReplacement(const FileReplacement& file);

// TRUE when anything has the name: a file, a folder, or a link, also one
// that leads nowhere (the link itself is looked at, not what it leads to).
bool nameIsTaken(const char* path);

// A new string: `path` when its name is free (nameIsTaken), else the first
// of `path`.1, `path`.2, ... that is free; NIL when none up to 999 is.
char* unusedNumberedPath(const char* path);
