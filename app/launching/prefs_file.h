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
// Without a file: the built-in launchers. A faulty file keeps what was read
// before the fault, silently.
cStringSpace* loadPrefs();
// Writes the options and the launchers, through a temporary file that then
// takes the preferences file's place; a failed write keeps the old file.
void savePrefs(cStringSpace* space);
