#include "app/main_window/games_list_filters.h"

#include <cstring>

#include "app/games/game.h"
#include "app/games/tags.h"
#include "core/clean_up.h"
#include "core/strings/string.h"
#include "core/strings/text.h"

namespace {

// Whether the upper-case item occurs anywhere in field, the field's letters
// a-z taken as upper case: the same answer as searching an upper-cased copy,
// without making one per game.
bool occursFolded(const char* field, const char* item) {
  if (item[0] == '\0') return true;
  // The first character in either case is looked for by the library's
  // search, which reads many bytes at a time: this runs for every game on
  // every keystroke.
  const char first = item[0];
  const char firstLower = first >= 'A' && first <= 'Z' ? static_cast<char>(first - 'A' + 'a') : first;
  const char firsts[] = {first, firstLower, '\0'};
  for (const char* start = std::strpbrk(field, firsts); start; start = std::strpbrk(start + 1, firsts)) {
    size_t i = 1;
    while (item[i] && UpperChar(start[i]) == item[i]) ++i;
    if (item[i] == '\0') return true;
  }
  return false;
}

// A filter without items passes; otherwise it matches when any item occurs,
// and a negated one passes when none does.
bool filterPasses(const char* items, bool negate, const char* field) {
  if (!items) return true;
  if (!field) field = "";
  bool matched = false;
  for (const char* item = items; item && !matched; item = StrNext(item)) matched = occursFolded(field, item);
  return negate ? !matched : matched;
}

// Name and path: a leading "~" negates; the rest splits at commas, "/" and
// blanks into upper-case items.
char* splitWords(const char* text, bool& negate) {
  if (!text) text = "";
  negate = text[0] == '~';
  char* copy = StrClone(negate ? text + 1 : text);
  char* items = nullptr;
  WithCleanUp([&] { items = commeredItemsToStringList(copy, true, false, false); }, [&] { DisposeString(copy); });
  return items;
}

// Tags: padded and upper-cased; a "~" after the leading comma negates and is
// taken out, the string staying padded. Items keep their commas, so that
// "RAC" never matches ",RACING,".
char* splitTags(const char* text, bool& negate) {
  char* padded = UpperStr(padTags(text ? text : ""));
  char* items = nullptr;
  WithCleanUp(
      [&] {
        negate = padded[1] == '~';
        if (negate) {
          std::memmove(padded + 1, padded + 2, std::strlen(padded + 2) + 1);
          UpdateStrLen(padded);
        }
        items = paddedTagsToStringList(padded);
      },
      [&] { DisposeString(padded); });
  return items;
}

}  // namespace

void GamesListFilters::set(const char* nameText, const char* pathText, const char* tagsText) {
  clear();
  try {
    name = splitWords(nameText, negateName);
    path = splitWords(pathText, negatePath);
    tags = splitTags(tagsText, negateTags);
  } catch (...) {
    clear();
    throw;
  }
}

void GamesListFilters::clear() {
  DisposeString(name);
  DisposeString(path);
  DisposeString(tags);
  name = path = tags = nullptr;
  negateName = negatePath = negateTags = false;
}

bool GamesListFilters::passes(const game* g) const {
  return filterPasses(name, negateName, g->name) && filterPasses(tags, negateTags, g->tags) &&
         filterPasses(path, negatePath, g->path);
}
