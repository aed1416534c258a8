// The preferences file "ENVARC:/Ludex.prefs": the two options and every
// launcher, as lines.
//
//   1                  format version
//   0|1                quit after launching
//   0|1                show launch output
//   then per launcher: its tag, its commands with each newline written as the
//   two characters "\n", and an empty line.
#pragma once

class cStringSpace;

// A new launcher space from the preferences file, setting the two options.
// Without a file, or with one that cannot be read: the built-in launchers. A
// faulty file keeps what was read before the fault. A file of another
// version, faulty or unreadable is left as it is until the next save.
cStringSpace* loadPrefs();
// Writes the options and the launchers, through a temporary file that then
// takes the preferences file's place; a file the last load could not use is
// kept as "Ludex.prefs.BAD" (numbered when taken) instead of deleted, and the
// user told so once. A failed save keeps the old file and tells the user why.
void savePrefs(cStringSpace* space);
