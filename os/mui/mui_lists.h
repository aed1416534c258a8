// The external classes for lists and text: "NList.mcc" (a list of rows in
// columns) inside "NListview.mcc", and "TextEditor.mcc" (a multi-line text
// field) beside a "Scrollbar.mui". Numbers the classes publish are used as
// published; the others come from this system's own range.
#pragma once
#include <cstddef>
#include <cstdint>

#include "os/intuition/objects.h"

// ---------------------------------------------------------------------------
// NList.mcc
//
// Every row is an entry: a pointer the list keeps for the program. The hooks
// are called as entry(hook, object, message):
//   construct (hook, pool, entry): answers what the list keeps for the entry
//     handed to an insert (NIL: that entry is not inserted). Without the hook
//     the entry itself is kept.
//   destruct (hook, pool, entry): once for every kept entry, when its row is
//     removed, when the list is cleared, and when the list is disposed.
//   display (hook, columns, entry): fills columns[0 .. columns-1] with the
//     texts of the entry's columns (NIL entry: the title row). The texts are
//     read at once; NIL shows as "".
//   compare (hook, entry2, entry1): negative when entry1 sorts before entry2,
//     0 when neither comes first, positive when entry2 does.
// The pool handed to construct and destruct is NIL: the hosted list has none.
//
// A list may also have a sort key hook (this system's own; a list without
// one asks the compare hook for every comparison):
//   sort key (hook, key, entry): fills the NListSortKey of the entry and
//     answers 1, or answers 0 when the entry has none.
// Two entries whose keys differ sort in the order of their keys, the smaller
// first: this must be the order the compare hook gives them. A key is its
// two words, then, where both keys are whole, its tie word (which the list
// sets to 0 and whole before it asks: a hook that leaves it so orders by two
// words). Equal keys that are both whole and whose tie words are whole too
// stand for a compare of 0; any other pair goes to the compare hook. Every
// sort and sorted insert asks for the keys afresh, so a key may change
// whenever the order does.
//
// A list may have a sort keys hook as well (this system's own), which a sort
// or a sorted batch asks for many keys at once:
//   sort keys (hook, keys, batch): batch is an NListSortKeys; fills keys[i]
//     (handed as the sort key hook gets them) for each batch->entries[i] and
//     answers 1, or answers 0 when it cannot give every entry a key (the
//     sort key hook is then asked for each). It asks for the memory the
//     entries lead to itself; the fetch hook is not called meanwhile.
//
// And a fetch hook (this system's own too):
//   fetch (hook, NIL, entry): the list reaches the entry soon as it walks
//     its rows in order, and has asked the processor for the entry's first
//     bytes already; the hook may ask for the memory the entry leads to that
//     the program reads next (its texts, say). It answers nothing and must
//     change nothing.

constexpr Tag MUIA_NListview_NList = 0x9d510020;  // creation: the NList object (owned)

constexpr Tag MUIA_NList_DoubleClick = 0x9d510047;    // the row double-clicked last (-1 none)
constexpr Tag MUIA_NList_Input = 0x9d510049;          // rows can be clicked and selected (default 1)
constexpr Tag MUIA_NList_MultiSelect = 0x9d51004a;    // MUIV_NList_MultiSelect_...
constexpr Tag MUIA_NList_SelectChange = 0x9d51004b;   // set 1 when the user changed the selection
constexpr Tag MUIA_NList_Active = 0x9d51004c;         // the active row, -1 none; follows its entry
constexpr Tag MUIA_NList_CompareHook = 0x9d510050;
constexpr Tag MUIA_NList_ConstructHook = 0x9d510051;
constexpr Tag MUIA_NList_DestructHook = 0x9d510052;
constexpr Tag MUIA_NList_DisplayHook = 0x9d510053;
constexpr Tag MUIA_NList_Entries = 0x9d510056;        // read only: the number of rows
constexpr Tag MUIA_NList_Format = 0x9d510058;         // columns: "BAR,BAR P=\"\er\"" (text, copied)
constexpr Tag MUIA_NList_Quiet = 0x9d51005f;          // MUIV_NList_Quiet_...: not redrawn while on
constexpr Tag MUIA_NList_Title = 0x9d510062;          // the title row (display hook with NIL) is shown
constexpr Tag MUIA_NList_TitleClick = 0x9d51009b;     // the column whose title was clicked last (-1 none)
constexpr Tag MUIA_NList_TitleSeparator = 0x9d51009f; // a bar under the title row
constexpr Tag MUIA_NList_TitleMark = 0x9d5100f1;      // sort mark: column, bit 31 reversed; _None
constexpr Tag MUIA_NList_SortKeyHook = OWN_ATTRIBUTE_BASE + 0x100;
constexpr Tag MUIA_NList_FetchHook = OWN_ATTRIBUTE_BASE + 0x101;
constexpr Tag MUIA_NList_SortKeysHook = OWN_ATTRIBUTE_BASE + 0x102;

struct NListSortKey {
  uint64_t high;      // compared first
  uint64_t low;
  uint32_t whole;     // non-zero: the two words hold all the entry's text sorts by
  uint32_t tieWhole;  // non-zero: the tie word holds all the rest it sorts by
  uint64_t tie;       // compared after equal whole words (its low 61 bits)
};

// The entries a sort keys hook makes keys of.
struct NListSortKeys {
  void* const* entries;
  size_t count;
};

constexpr IPTR MUIV_NList_Active_Off = -1;
constexpr IPTR MUIV_NList_MultiSelect_None = 0;     // one row: the active row is the selected one
constexpr IPTR MUIV_NList_MultiSelect_Default = 1;  // a click selects alone; Shift extends, Ctrl toggles
constexpr IPTR MUIV_NList_MultiSelect_Always = 3;   // every click toggles its row
constexpr IPTR MUIV_NList_Quiet_None = 0;
constexpr IPTR MUIV_NList_Quiet_Visual = -2;
constexpr uint32_t MUIV_NList_TitleMark_None = 0xF0000000u;
constexpr uint32_t MUIV_NList_TitleMark_Reversed = 0x80000000u;

// {row, result address}: the entry of the row (-1: the active row), NIL when
// there is none; also the answer.
constexpr uint32_t MUIM_NList_GetEntry = 0x9d510074;
// {array, count, position}: inserts count entries of the array in its order
// (count -1: up to a NIL entry). Position: a row number (the entries go
// before it; past the end: at the end), MUIV_NList_Insert_Bottom or
// MUIV_NList_Insert_Sorted (each entry after the entries that do not sort
// after it). Answers the number inserted.
constexpr uint32_t MUIM_NList_Insert = 0x9d510075;
constexpr uint32_t MUIM_NList_InsertSingle = 0x9d510076;  // {entry, position}: one entry
// {address of a row number}: -1 (MUIV_NList_NextSelected_Start) gives the
// first selected row, a row the next one after it; -1 when there is none.
constexpr uint32_t MUIM_NList_NextSelected = 0x9d510079;
constexpr uint32_t MUIM_NList_Redraw = 0x9d51007a;  // {row}: MUIV_NList_Redraw_All, _Active or a row
constexpr uint32_t MUIM_NList_Remove = 0x9d51007b;  // {row}: -1 the active row; the destruct hook ends it
// {row, how, result address}: row -1 the active row, -2 every row; how
// off/on/toggle/ask. Ask stores the row's state (1/0), or for every row the
// number selected. Selecting does not set MUIA_NList_SelectChange (only the
// user's clicks do).
constexpr uint32_t MUIM_NList_Select = 0x9d51007c;
constexpr uint32_t MUIM_NList_Sort = 0x9d51007d;  // {}: stable sort with the compare hook
constexpr uint32_t MUIM_NList_Clear = OWN_METHOD_BASE + 0x100;  // {}: every row removed
constexpr uint32_t MUIM_List_Jump = OWN_METHOD_BASE + 0x101;    // {row}: scrolls the row into view
// {entry, address of a row number}: from that row on (MUIV_NList_GetPos_Start:
// from the first), the row that holds the entry, or MUIV_NList_GetPos_End
// when none does; also the answer.
constexpr uint32_t MUIM_NList_GetPos = OWN_METHOD_BASE + 0x102;

constexpr IPTR MUIV_NList_Insert_Sorted = -2;
constexpr IPTR MUIV_NList_Insert_Bottom = -3;
constexpr IPTR MUIV_NList_NextSelected_Start = -1;
constexpr IPTR MUIV_NList_NextSelected_End = -1;
constexpr IPTR MUIV_NList_Redraw_Active = -1;
constexpr IPTR MUIV_NList_Redraw_All = -2;
constexpr IPTR MUIV_NList_Remove_Active = -1;
constexpr IPTR MUIV_NList_GetEntry_Active = -1;
constexpr IPTR MUIV_NList_GetPos_Start = -1;
constexpr IPTR MUIV_NList_GetPos_End = -1;
constexpr IPTR MUIV_NList_Select_Active = -1;
constexpr IPTR MUIV_NList_Select_All = -2;
constexpr IPTR MUIV_NList_Select_Off = 0;
constexpr IPTR MUIV_NList_Select_On = 1;
constexpr IPTR MUIV_NList_Select_Toggle = 2;
constexpr IPTR MUIV_NList_Select_Ask = 3;

// ---------------------------------------------------------------------------
// TextEditor.mcc

constexpr Tag MUIA_TextEditor_Contents = 0xad000002;        // the text (copied; NIL reads as "")
constexpr Tag MUIA_TextEditor_ExportHook = 0xad000008;      // MUIV_TextEditor_ExportHook_...
constexpr Tag MUIA_TextEditor_FixedFont = 0xad00000a;
constexpr Tag MUIA_TextEditor_HasChanged = 0xad00000c;      // 1 after the user edited; the program sets 0
constexpr Tag MUIA_TextEditor_Slider = 0xad00001a;          // the scroll bar it moves (not owned)
constexpr Tag MUIA_TextEditor_InVirtualGroup = 0xad00001b;

constexpr IPTR MUIV_TextEditor_ExportHook_Plain = 0;    // the text with its style codes
constexpr IPTR MUIV_TextEditor_ExportHook_NoStyle = 2;  // the text without style codes

// {}: the text through the export hook, in a new AllocVec block the caller
// gives back with FreeVec; NIL when there is no memory.
constexpr uint32_t MUIM_TextEditor_ExportText = 0xad000025;
