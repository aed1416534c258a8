// asl.library, hosted: the file requester. It is answered from the requester
// queue (os/intuition/requester_answers.h) and logs the settings it was shown
// with.
#pragma once
#include <cstdint>

#include "os/dos/dos.h"
#include "os/utility/tags.h"

constexpr uint32_t ASL_FileRequest = 0;

constexpr Tag ASL_TB = TAG_USER + 0x80000;
constexpr Tag ASLFR_TitleText = ASL_TB + 1;           // const char*
constexpr Tag ASLFR_InitialFile = ASL_TB + 2;         // const char*
constexpr Tag ASLFR_InitialDrawer = ASL_TB + 3;       // const char*, an Amiga path
constexpr Tag ASLFR_InitialPattern = ASL_TB + 4;      // const char*, an AmigaDOS pattern
constexpr Tag ASLFR_InitialShowVolumes = ASL_TB + 5;  // bool: start with the list of volumes
constexpr Tag ASLFR_DoPatterns = ASL_TB + 6;          // bool: show the pattern field
constexpr Tag ASLFR_Flags1 = ASL_TB + 7;              // FRF_ flags below
constexpr Tag ASLFR_Flags2 = ASL_TB + 8;              // FRF_ flags below

// ASLFR_Flags1
constexpr uint32_t FRF_DOMULTISELECT = 0x08;  // several files may be chosen
constexpr uint32_t FRF_DOSAVEMODE = 0x20;     // asks for a name to save under
// ASLFR_Flags2
constexpr uint32_t FRF_DRAWERSONLY = 0x01;  // only drawers are listed
constexpr uint32_t FRF_REJECTICONS = 0x04;  // ".info" files are not listed

// One chosen object: a lock on its drawer and its name in it.
struct WBArg {
  BPTR wa_Lock;
  char* wa_Name;
};

struct FileRequester {
  char* fr_File;    // the chosen name, "" for none
  char* fr_Drawer;  // the chosen drawer, an Amiga path ("" for none)
  int32_t fr_NumArgs;  // with FRF_DOMULTISELECT: the number of chosen files, else 0
  WBArg* fr_ArgList;   // fr_NumArgs entries, all with the drawer's lock
  char* fr_Pattern;    // the pattern in use, or NIL
};

// A new requester of the type (only ASL_FileRequest) set up by the tags, or NIL.
void* AllocAslRequest(uint32_t type, const TagItem* tags);
// Shows the requester (tags change its settings first). TRUE when the user
// chose something, which is then in the FileRequester; FALSE on Cancel, the
// close gadget, or no answer.
bool AslRequest(void* request, const TagItem* tags);
// Frees a requester and what it holds (the locks of the arguments); NIL is ignored.
void FreeAslRequest(void* request);
