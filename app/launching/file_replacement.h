// Replacing a whole text file so that no interruption leaves a half-written
// file under a name that is taken for a complete one: the lines are written
// under a partial name, which becomes the temporary name only once the file
// is complete and on the disk; the temporary file then takes the file's place
// (the old file becoming the backup where one is kept).
#pragma once

struct FileReplacement {
  const char* path;       // the file itself
  const char* temporary;  // the complete new file, before it takes the file's place
  const char* partial;    // the new file while it is being written
  const char* backup;     // the previous file, or NIL when none is kept
};

// Writes the lines as the new file and puts it in place. FALSE when the new
// file could not be written: nothing of it is left, and the file and its
// backup are untouched. TRUE once the new file is complete, even when a
// rename after that failed (the next finishInterruptedReplacement completes it).
bool replaceFileWithLines(const FileReplacement& file, const char* lines);

// Before the file is read: deletes a partial file that an interrupted write
// left, and puts a complete temporary file in place when the file is missing.
void finishInterruptedReplacement(const FileReplacement& file);
