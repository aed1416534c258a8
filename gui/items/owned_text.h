// The texts that a GUI item keeps are copies that it owns. Replacing one makes
// the new copy before the old one is disposed, so that handing an item its own
// text back (item->setPopupHint(item->getPopupHint())) keeps it intact.
#pragma once

// How a NIL or empty text is kept.
enum class OwnedTextRule {
  NilAsEmpty,     // NIL is kept as "" (labels, texts, string states)
  NilAsNone,      // NIL is kept as NIL, "" as "" (popup hints)
  EmptyAsNone,    // NIL and "" are kept as NIL (units, image paths)
};

// Replaces the owned text in field by a copy of text kept by the rule.
void ReplaceOwnedText(char*& field, const char* text, OwnedTextRule rule);
// Disposes the owned text in field and clears it.
void DisposeOwnedText(char*& field);
