// A game's tags are kept as one padded string: a comma before and after every
// tag, as in ",Favourite,Racing,"; no tags is ",". These helpers convert it.
// Every result is a new string or chain that the caller disposes.
#pragma once

class cStringSpace;

// ",text," for a non-empty text, "," for an empty one. Nothing inside changes.
char* padTags(const char* text);
// The padded string without its first and last character; "" for 2 or fewer.
char* stripTags(const char* padded);
// Splits text into a chain of items at commas, starting at index 1 when
// skipFirst is set. Unless commasOnly is set, every "/" and blank of text
// from that index on is first turned into "," (in text itself). Items are
// copied (upper-cased when upper is set); empty ones are dropped. NIL when
// no item is left.
char* commeredItemsToStringList(char* text, bool upper, bool skipFirst, bool commasOnly);
// The chain of ",tag," items of a padded string (both commas kept), NIL when none.
char* paddedTagsToStringList(const char* padded);
// Sets every tag of a padded string as a key of the space, with a boxed TRUE;
// a tag the space holds already (ignoring case) keeps its entry.
void addTagsToSpace(const char* padded, cStringSpace* space);
