// The name a new game is shown under, made from its file name.
#pragma once

// A new string: the file name made readable. When isProgram (the file is an
// MS-DOS or Megazeux program) and the name is all upper case, every letter
// after the first is lowered; an extension of three characters is cut, then
// ".ST", ".SP" and ".Z1" to ".Z8"; an underscore becomes a blank, and a blank
// goes between a letter and a digit (either way round) and between a lower-
// and an upper-case letter. The first character is never changed.
char* makeGameName(const char* fileName, bool isProgram);
