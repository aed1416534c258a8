// The Amiga side of the application: the program's own path, the place of the
// toolbar images, and the tag lists of the key button's spacers.
#pragma once

#include "os/utility/tags.h"

// The program's own file as an internal path; NIL when the program cannot
// find its own file (or before new_ludex_amiga).
const char* ourProgPath_ludex_amiga();

// The path of the toolbar image `name`: "PROGDIR:/tbimages/" followed by the
// name when that folder exists, else the "tbimages:/" assign followed by it.
// The string is the module's and is freed at the next call: use it at once.
const char* tbimages(const char* name);

// The tags of the two empty texts on either side of a key button's label: no
// inner space, so that they only centre the label.
extern TagItem keyButtonLeftSpaceTags[3];
extern TagItem keyButtonRightSpaceTags[3];

// Fills the spacers' tag lists and finds the program's own path.
void new_ludex_amiga();
// Frees the program path and the last toolbar image path; safe without a
// new_ludex_amiga before it.
void end_ludex_amiga();
