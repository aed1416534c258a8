// Setting a string object's text from the program as if the user had entered
// it: when the text really changes, MUIA_String_Acknowledge is set too, so the
// item's change notification fires and its change event is queued.
#pragma once
#include <cstdint>

#include "os/mui/mui.h"

// Sets MUIA_String_Contents to text (NIL: "") unless the object shows it
// already, then acknowledges the contents as they read back.
void muiSetString(Object* stringObject, const char* text);
// The same through MUIA_String_Integer.
void muiSetStringInteger(Object* stringObject, int32_t n);
