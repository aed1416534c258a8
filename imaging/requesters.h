// Asking the user outside the program's own windows: the choice requester with
// buttons and the system file requester.
#pragma once
#include <cstdint>
#include <span>

#include "os/intuition/intuition.h"
#include "os/utility/tags.h"

// Shows `body` (placeholders such as %s and %ld take the values of args in
// turn) with the buttons of `buttons` ("OK|Cancel": "|" separates them) and
// returns the number of the pressed button: 1 for the first, 2 for the second
// and so on, 0 for the last one and for the close gadget. With no args the
// module's one-item list holding 0 is used. window NIL: the requester opens on
// the default public screen.
int32_t requestChoice(const char* title, const char* body, const char* buttons, std::span<const intptr_t> args = {},
                      Window* window = nullptr);
// requestChoice without a parent window.
int32_t requestChoice2(const char* title, const char* body, const char* buttons,
                       std::span<const intptr_t> args = {});

// Shows the file requester. drawer, file, pattern and title may each be NIL
// (no drawer: it starts showing the volumes; no title: "Select File"). Of the
// flags only asl's FRF_DOSAVEMODE, FRF_DOMULTISELECT, FRF_DRAWERSONLY and
// FRF_REJECTICONS count;
// moreTags, when given, are added to the requester's tags. Returns host paths:
// a new string with the drawer joined with the chosen file (or the drawer
// alone when no file was named), a chain of new strings with one full path per
// file for a multiple selection, or NIL on cancel.
char* requestFile(const char* drawer, const char* file, const char* pattern, const char* title, uint32_t flags,
                  const TagItem* moreTags = nullptr);

// The tag lists of the text-entry requester's gadgets: "_" marks the shortcut.
extern TagItem textRequesterStringTags[2];
extern TagItem textRequesterButtonTags[2];

// Opens asl.library and gadtools.library (version 39 on) unless start-up
// already did; ends the program with return code 10 when either is missing.
void new_pamiga_requesters();
// Closes what new_pamiga_requesters opened.
void end_pamiga_requesters();
