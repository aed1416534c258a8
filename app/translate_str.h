// Dictionary translation of a text: every occurrence of a key is replaced by
// its replacement. Used for the newline escapes of the preferences file and for
// the placeholders of launch commands.
#pragma once

// dictionary: NIL-ended array read as (key, replacement) pairs. The earliest
// match wins; on equal positions the key listed first. Matches never overlap
// and a replacement is never searched again. Returns a new string (exactly the
// result's length); raises EPU for an odd dictionary.
char* translateStr(const char* text, const char* const* dictionary);
