// The file requester that asks for a game file, or a folder of games, to add.
#pragma once

// Returns argument unchanged; *chosenPath gets the chosen path in canonical
// form (a folder's ending in "/"), or NIL when the user cancelled.
const char* requestAdd(const char* argument, char** chosenPath);
