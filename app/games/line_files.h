// The application's text files as chains of lines: the game list, the
// preferences and the launch script. Lines are separated by "\n"; the last
// line has none after it; a "\r" ending a line is dropped when reading.
#pragma once

// The file's lines as a chain of new strings (the caller disposes it), NIL when
// the file cannot be opened or read. *last (when given) gets the last line.
char* readLines(const char* path, char** last = nullptr);
// Writes the chain as the file's lines. TRUE only when the file was opened and
// every write, the flush and the close succeeded. Otherwise FALSE and no file
// is left, whatever the file object raised; FALSE for an empty chain too.
bool writeLines(const char* path, const char* lines);
// Copies one file to a new file (never over an existing one). TRUE when made.
bool fileCopy(const char* source, const char* destination);
