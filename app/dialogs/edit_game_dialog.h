// The "Edit game" dialog: one game's name, tags and launcher parameters.
#pragma once

// Asks for a new name, tags text (the tags without their outer commas) and
// params (NIL: none). Returns the new name, and through the pointers the new
// tags text and params: each a new string only when the user changed it,
// else NIL. The name and params are taken from what their fields reported
// (with no params passed, a touched field counts, even left empty); the tags
// only when the user touched them and they now name other tags, order and
// case aside, in the order of the tag list. *cancelled is TRUE when the user
// chose "Cancel" or closed the window.
char* requestEditGame(const char* name, const char* tagsText, const char* params, char** newTagsText,
                      char** newParams, bool* cancelled);
