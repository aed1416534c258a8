// The application module: the program's constant data, set up by new_ludex and
// released by end_ludex.
#pragma once

class function;

extern function* iterateFilterTagList_ludex;  // the tag filter list's entry source
extern function* iterateGamesList_ludex;      // the games list's entry source
extern function* fAddGame_ludex;              // the directory walk's action that adds games

extern const char* app_name;
extern const char* app_title;
extern const char* app_version;  // "" directly in front of the "$VER:" string
extern const char* app_list;
extern const char* app_listBak;
extern const char* app_listTmp;
extern const char* app_prefs;
extern const char* app_script;
extern const char* predefinedTags;
// Pairs of tag and commands, ended by a NIL tag.
extern const char** predefinedLaunchers;
// "Show", "Hide", NIL: the choices of the tag filter's mode.
extern const char** modeLabels_ludex;
// The newline escapes of the preferences file: (key, replacement) pairs, NIL-ended.
extern const char** loadDictionary_ludex;
extern const char** saveDictionary_ludex;

// The application's one-line description given to the application object.
extern const char* const app_description;

void new_ludex();
void end_ludex();
