#include "app/ludex_module.h"

#include <initializer_list>

#include "app/games/adding_games.h"
#include "app/main_window/games_list_display.h"
#include "app/main_window/tag_filter_list.h"
#include "core/arena.h"
#include "core/class_base.h"
#include "platform/system_data.h"

function* iterateFilterTagList_ludex = nullptr;
function* iterateGamesList_ludex = nullptr;
function* fAddGame_ludex = nullptr;

const char* app_name = nullptr;
const char* app_title = nullptr;
const char* app_version = nullptr;
const char* app_list = nullptr;
const char* app_listBak = nullptr;
const char* app_listTmp = nullptr;
const char* app_prefs = nullptr;
const char* app_script = nullptr;
const char* predefinedTags = nullptr;
const char** predefinedLaunchers = nullptr;
const char** modeLabels_ludex = nullptr;
const char** loadDictionary_ludex = nullptr;
const char** saveDictionary_ludex = nullptr;

const char* const app_description = "Keeps your games in one list and starts them with their emulators";

namespace {

// The version string begins "$VER:" so that the system's version command
// finds it in the program file; app_version is the empty string right before it.
const char versionBlock[] = "\0$VER: Ludex 1.0 (09.12.2026) by the Ludex developers";

// An array of string pointers from the shared allocator; the strings are constant.
const char** stringArray(std::initializer_list<const char*> items) {
  auto** array = static_cast<const char**>(Arena::alloc(sizeof(const char*) * items.size()));
  size_t i = 0;
  for (const char* s : items) array[i++] = s;
  return array;
}

const char** copyLauncherTable() {
  size_t count = 0;
  while (builtinLauncherTable[count]) count += 2;
  auto** array = static_cast<const char**>(Arena::alloc(sizeof(const char*) * (count + 1)));
  for (size_t i = 0; i < count; ++i) array[i] = builtinLauncherTable[i];
  array[count] = nullptr;
  return array;
}

template <class Producer>
function* makeProducer() {
  auto* f = new Producer;
  f->new_function();
  return f;
}

void disposeArray(const char**& array) {
  Arena::release(static_cast<void*>(array));
  array = nullptr;
}

}  // namespace

void new_ludex() {
  iterateFilterTagList_ludex = makeProducer<iterateFilterTagList>();
  iterateGamesList_ludex = makeProducer<iterateGamesList>();
  fAddGame_ludex = makeProducer<fAddGame>();
  app_name = "Ludex";
  app_title = "Ludex 1.0 (9.12.2026), by the Ludex developers";
  app_version = versionBlock;
  app_list = "PROGDIR:/Ludex.list";
  app_listBak = "PROGDIR:/Ludex.list.bak";
  app_listTmp = "PROGDIR:/Ludex.list.tmp";
  app_prefs = "ENVARC:/Ludex.prefs";
  app_script = "T:/Ludex.script";
  predefinedTags = ",Favourite,Racing,Platform,";
  predefinedLaunchers = copyLauncherTable();
  modeLabels_ludex = stringArray({"Show", "Hide", nullptr});
  loadDictionary_ludex = stringArray({"\\n", "\n", nullptr});
  saveDictionary_ludex = stringArray({"\n", "\\n", nullptr});
}

void end_ludex() {
  // Safe to run twice or without new_ludex: each global is tested and cleared.
  disposeArray(saveDictionary_ludex);
  disposeArray(loadDictionary_ludex);
  disposeArray(predefinedLaunchers);
  disposeArray(modeLabels_ludex);
  End(fAddGame_ludex);
  End(iterateGamesList_ludex);
  End(iterateFilterTagList_ludex);
}
