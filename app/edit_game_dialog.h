// The "Edit game" dialog: one game's name, tags and launcher parameters.
#pragma once

// Asks for a new name, tags text (the tags without their outer commas) and
// params (NIL: none). Returns the new name, and through the pointers the new
// tags text and params: each a new string only when it differs from what was
// passed, else NIL. *cancelled is TRUE when the user chose "Cancel".
char* requestEditGame(const char* name, const char* tagsText, const char* params, char** newTagsText,
                      char** newParams, bool* cancelled);
