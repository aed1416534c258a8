// The three filters of the games list: name, path and tags. Each filter text
// holds items; within one filter a game matches when ANY item occurs in its
// field, and a game is shown only when ALL three filters pass. A text that
// begins with "~" negates its filter: the game passes when NONE of the items
// occurs. A filter without items passes every game.
#pragma once

class game;

class GamesListFilters {
 public:
  // Takes the three texts apart (the caller keeps them; NIL counts as "").
  // Name and path texts split at commas, "/" and blanks; the tags text only
  // at commas, each item kept between commas so that tags match whole.
  // Items are upper-cased: letters are compared without case.
  void set(const char* nameText, const char* pathText, const char* tagsText);
  // Frees the items: every game passes again.
  void clear();
  bool passes(const game* g) const;
  bool isOff() const { return !name && !path && !tags; }

  // The chains of items (NIL: filter off) and the negations, read by tests.
  const char* nameItems() const { return name; }
  const char* pathItems() const { return path; }
  const char* tagsItems() const { return tags; }
  bool nameNegated() const { return negateName; }
  bool pathNegated() const { return negatePath; }
  bool tagsNegated() const { return negateTags; }

 private:
  char* name = nullptr;  // chains of upper-case items, NIL when off
  char* path = nullptr;
  char* tags = nullptr;  // each item ",TAG,"
  bool negateName = false;
  bool negatePath = false;
  bool negateTags = false;
};
