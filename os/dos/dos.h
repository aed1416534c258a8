// dos.library, hosted on Linux: the calls the program makes, with their Amiga
// names and argument orders.
//
// Paths are Amiga paths: "Volume:dir/name", "/" the only separator, a leading
// or doubled "/" the parent, names matched exactly first and then as the one
// entry that differs only in the case of a-z. Volumes and assigns map to Linux
// folders (see volumes.h); "." and ".." are literal names and never lead out
// of a volume. Every failing call sets IoErr(); every kind of "not there" is
// ERROR_OBJECT_NOT_FOUND.
#pragma once
#include <cstdint>

#include "os/exec/tasks.h"

struct TagItem;  // utility.library's tag items (dos takes none yet)
struct Hook;     // utility.library's call-back hooks

using APTR = void*;

constexpr int32_t DOSTRUE = -1;
constexpr int32_t DOSFALSE = 0;

// ---------------------------------------------------------------------------
// Locks and file handles

// Locks and file handles both begin with this header: a BPTR names either, and
// the calls that take a lock for its name also accept a file handle.
struct DosObjectHeader {
  uint32_t dh_Magic;
  int32_t dh_Kind;  // DOS_KIND_LOCK or DOS_KIND_HANDLE
};
using BPTR = DosObjectHeader*;

constexpr int32_t DOS_KIND_LOCK = 1;
constexpr int32_t DOS_KIND_HANDLE = 2;

// The record behind a BPTR, to be cast by the caller: ((FileLock*)BADDR(lock)).
#define BADDR(bptr) (static_cast<void*>(bptr))
#define ZERO (static_cast<BPTR>(nullptr))

// Lock access modes.
constexpr int32_t SHARED_LOCK = -2;
constexpr int32_t ACCESS_READ = -2;
constexpr int32_t EXCLUSIVE_LOCK = -1;
constexpr int32_t ACCESS_WRITE = -1;

struct FileLock {
  DosObjectHeader fl_Header;
  int32_t fl_Access;  // SHARED_LOCK or EXCLUSIVE_LOCK
  MsgPort* fl_Task;   // the port of the volume the object lies on
  int fl_HostFd;      // hosted: an O_PATH descriptor of the object
};

struct FileHandle {
  DosObjectHeader fh_Header;
  MsgPort* fh_Type;  // the port of the volume the file lies on
  int32_t fh_Mode;   // the mode it was opened with
  int fh_HostFd;     // hosted: the open descriptor
};

// ---------------------------------------------------------------------------
// Dates, file information, directory scans

// A date. The call DateStamp() below shares the name, so C++ code names the
// type `struct DateStamp` wherever dos.h is included.
struct DateStamp {
  int32_t ds_Days;    // days since 1978-01-01, local time
  int32_t ds_Minute;  // minutes into the day
  int32_t ds_Tick;    // ticks (TICKS_PER_SECOND) into the minute
};
constexpr int32_t TICKS_PER_SECOND = 50;

// Directory-entry types (fib_DirEntryType, ed_Type): positive are directories.
constexpr int32_t ST_ROOT = 1;
constexpr int32_t ST_USERDIR = 2;
constexpr int32_t ST_SOFTLINK = 3;
constexpr int32_t ST_LINKDIR = 4;
constexpr int32_t ST_FILE = -3;
constexpr int32_t ST_LINKFILE = -4;

// Protection bits: bits 0-3 are set when the access is denied.
constexpr int32_t FIBF_DELETE = 1;
constexpr int32_t FIBF_EXECUTE = 2;
constexpr int32_t FIBF_WRITE = 4;
constexpr int32_t FIBF_READ = 8;
constexpr int32_t FIBF_ARCHIVE = 16;
constexpr int32_t FIBF_PURE = 32;
constexpr int32_t FIBF_SCRIPT = 64;
// The word a new object has, and the only one a volume without stored
// protection accepts: nothing denied.
constexpr int32_t FIBF_DEFAULT = 0;

constexpr int32_t FIB_NAME_SIZE = 256;    // a Linux name (255 bytes) and its NUL
constexpr int32_t FIB_COMMENT_SIZE = 80;  // 79 characters of the comment shown

struct FileInfoBlock {
  int32_t fib_DiskKey;       // ExNext's place in the directory
  int32_t fib_DirEntryType;  // ST_...
  char fib_FileName[FIB_NAME_SIZE];
  int32_t fib_Protection;    // FIBF_... and the higher user bits
  int32_t fib_EntryType;     // same as fib_DirEntryType
  int32_t fib_Size;          // bytes, as an unsigned 32-bit count (4 GiB-1 at most)
  int32_t fib_NumBlocks;
  struct DateStamp fib_Date;  // last change
  char fib_Comment[FIB_COMMENT_SIZE];
  uint16_t fib_OwnerUID;
  uint16_t fib_OwnerGID;
};

// ExAll data types: each asks for its fields and those of the types below it.
constexpr int32_t ED_NAME = 1;
constexpr int32_t ED_TYPE = 2;
constexpr int32_t ED_SIZE = 3;
constexpr int32_t ED_PROTECTION = 4;
constexpr int32_t ED_DATE = 5;
constexpr int32_t ED_COMMENT = 6;
constexpr int32_t ED_OWNER = 7;

// One ExAll record. A record holds the fields up to the type asked for; its
// name and comment texts lie in the same buffer. Follow ed_Next, never sizes.
struct ExAllData {
  ExAllData* ed_Next;
  char* ed_Name;
  int32_t ed_Type;
  uint32_t ed_Size;
  uint32_t ed_Prot;
  uint32_t ed_Days;
  uint32_t ed_Mins;
  uint32_t ed_Ticks;
  char* ed_Comment;  // "" when the object has none
  uint16_t ed_OwnerUID;
  uint16_t ed_OwnerGID;
};

struct ExAllControl {
  uint32_t eac_Entries;      // records in the buffer after a call
  uint32_t eac_LastKey;      // 0 before the first call of a scan
  char* eac_MatchString;     // a pattern from ParsePatternNoCase, or NIL
  Hook* eac_MatchFunc;       // not supported: must be NIL
};

// AllocDosObject types.
constexpr uint32_t DOS_FILEHANDLE = 0;
constexpr uint32_t DOS_EXALLCONTROL = 1;
constexpr uint32_t DOS_FIB = 2;

// ---------------------------------------------------------------------------
// Devices, assigns and the process

constexpr uint32_t DVPF_UNLOCK = 1;  // dvp_Lock is the DevProc's own
constexpr uint32_t DVPF_ASSIGN = 2;  // an assign; more folders may follow

struct DevProc {
  MsgPort* dvp_Port;  // the volume's port
  BPTR dvp_Lock;      // the folder to start from; ZERO: the volume's root
  uint32_t dvp_Flags;
  int32_t dvp_NextFolder;  // hosted: the assign folder the next call tries
};

// The hosted process (FindTask(NIL)).
struct Process {
  Task pr_Task;
  MsgPort* pr_FileSystemTask;  // whose root ":" and the ZERO lock mean; NIL: Root:
  BPTR pr_CurrentDir;          // relative paths start here; ZERO: pr_FileSystemTask's root
  BPTR pr_HomeDir;             // the program's own folder
  int32_t pr_Result2;          // IoErr()
  APTR pr_WindowPtr;           // (APTR)-1: show no requesters
};

// ---------------------------------------------------------------------------
// Error codes (IoErr)

constexpr int32_t ERROR_NO_FREE_STORE = 103;
constexpr int32_t ERROR_BAD_TEMPLATE = 114;  // a pattern that cannot be parsed
constexpr int32_t ERROR_BAD_NUMBER = 115;      // an unknown mode or flag value
constexpr int32_t ERROR_REQUIRED_ARG_MISSING = 116;
constexpr int32_t ERROR_LINE_TOO_LONG = 120;  // a buffer too small for the result
constexpr int32_t ERROR_OBJECT_IN_USE = 202;
constexpr int32_t ERROR_OBJECT_EXISTS = 203;
constexpr int32_t ERROR_OBJECT_NOT_FOUND = 205;
constexpr int32_t ERROR_ACTION_NOT_KNOWN = 209;  // not supported
constexpr int32_t ERROR_INVALID_COMPONENT_NAME = 210;
constexpr int32_t ERROR_OBJECT_WRONG_TYPE = 212;
constexpr int32_t ERROR_DISK_WRITE_PROTECTED = 214;
constexpr int32_t ERROR_RENAME_ACROSS_DEVICES = 215;
constexpr int32_t ERROR_DIRECTORY_NOT_EMPTY = 216;
constexpr int32_t ERROR_TOO_MANY_LEVELS = 217;  // too many links
constexpr int32_t ERROR_DEVICE_NOT_MOUNTED = 218;
constexpr int32_t ERROR_SEEK_ERROR = 219;
constexpr int32_t ERROR_COMMENT_TOO_BIG = 220;  // comments hold 255 bytes
constexpr int32_t ERROR_DISK_FULL = 221;
constexpr int32_t ERROR_DELETE_PROTECTED = 222;
constexpr int32_t ERROR_WRITE_PROTECTED = 223;
constexpr int32_t ERROR_READ_PROTECTED = 224;
constexpr int32_t ERROR_NO_MORE_ENTRIES = 232;
constexpr int32_t ERROR_NOT_A_LINK = ERROR_OBJECT_WRONG_TYPE;  // ReadLink of a non-link

// ---------------------------------------------------------------------------
// Calls

int32_t IoErr();
// Sets IoErr() and returns the code it replaces.
int32_t SetIoErr(int32_t code);
// The text of an error code into buffer (length bytes with the NUL), after
// "header: " when header is not NIL. Returns the length of the text, 0 for code 0.
// Hosted: a Linux error that no code above stands for has a code of its own
// in IoErr, far above every AmigaDOS code, and its text is Linux's
// ("Input/output error").
int32_t Fault(int32_t code, const char* header, char* buffer, int32_t length);

// Appends a name to a path in its buffer of `size` bytes, with "/" where one is
// needed; a name holding ":" replaces the path. FALSE (120) when it cannot fit.
bool AddPart(char* dirName, const char* fileName, uint32_t size);
// The final component of a path (after its last "/" or ":").
char* FilePart(const char* path);
// Where the directory part of a path ends: at the "/" before the final
// component, after a ":", or at the start.
char* PathPart(const char* path);

BPTR Lock(const char* name, int32_t accessMode);
void UnLock(BPTR lock);
BPTR DupLock(BPTR lock);
// Makes lock the process's current directory and returns the one it replaces
// (the caller's to unlock). Never changes the Linux working directory.
BPTR CurrentDir(BPTR lock);
// Creates a directory and returns an exclusive lock on it.
BPTR CreateDir(const char* name);
// Deletes a file, a link or an empty directory.
bool DeleteFile(const char* name);
// Renames or moves an object on one device; never replaces an existing object.
// The folders concerned are synced before and after, so that a completed
// rename survives a power loss.
bool Rename(const char* oldName, const char* newName);

bool Examine(BPTR lock, FileInfoBlock* fib);
// Hosted, not an Amiga call: the kind of the object a name leads to as the
// listing of its folder tells it, when that folder is watched and has not
// changed since it was read, without locking the object or any look at the
// disk. TRUE when the listing can tell: *kind is then ST_FILE (a plain file),
// ST_USERDIR (a folder) or 0 (no such name, exactly or ignoring case). FALSE
// when only Lock and Examine can tell (the folder not known so, an assign, a
// link, a parent step, several names equal ignoring case, or a failure
// injected for Lock or Examine, which is left for them). IoErr is left as it
// was.
bool ListedKind(const char* name, int32_t* kind);
bool ExNext(BPTR lock, FileInfoBlock* fib);
bool ExamineFH(BPTR fh, FileInfoBlock* fib);
// Fills buffer with records of the directory's entries. TRUE: more follow, call
// again; FALSE: the scan ended (IoErr 232) or failed (any other IoErr). The
// last batch may hold records either way (eac_Entries).
bool ExAll(BPTR lock, ExAllData* buffer, int32_t size, int32_t type, ExAllControl* control);
// Ends a scan that ExAll still had going.
void ExAllEnd(BPTR lock, ExAllData* buffer, int32_t size, int32_t type, ExAllControl* control);

// The full "Volume:dir/name" of a lock (or a file handle) into buffer.
bool NameFromLock(BPTR lock, char* buffer, int32_t length);
bool NameFromFH(BPTR fh, char* buffer, int32_t length);

// Patterns: ? one character, #x any number of x, #? anything, (a|b) either,
// [a-z] a class ([~...] its complement), ~x anything but x, ' the next character
// as it is. Matching ignores the case of a-z.
// Parses pattern into buffer (2 * length + 2 bytes suffice): 1 when it has
// wildcards, 0 when it has none, -1 on a syntax error (114) or a small buffer (120).
int32_t ParsePatternNoCase(const char* pattern, char* buffer, int32_t length);
bool MatchPatternNoCase(const char* parsedPattern, const char* name);

// The volume or assign that the device part of name stands for; for an assign
// of several folders, each call with the previous DevProc gives the next folder
// (the previous one is freed). NIL at the end (232) or for an unknown device (218).
DevProc* GetDeviceProc(const char* name, DevProc* previous);
void FreeDeviceProc(DevProc* dp);
// Sets the process's pr_FileSystemTask and returns the one it replaces.
MsgPort* SetFileSysTask(MsgPort* port);

APTR AllocDosObject(uint32_t type, const TagItem* tags);
void FreeDosObject(uint32_t type, APTR object);

// ---------------------------------------------------------------------------
// Files: open, transfer, position, size

// Open modes.
constexpr int32_t MODE_READWRITE = 1004;  // an existing file, read and write; never creates
constexpr int32_t MODE_OLDFILE = 1005;    // an existing file, read and write (opened for writing on the first write)
constexpr int32_t MODE_NEWFILE = 1006;    // creates the file or empties an existing one

// Seek and SetFileSize modes: where the offset counts from.
constexpr int32_t OFFSET_BEGINNING = -1;
constexpr int32_t OFFSET_CURRENT = 0;
constexpr int32_t OFFSET_END = 1;

// Opens a file. The protection word is enforced by dos.library itself, so the
// answers are the same for every Linux user: MODE_OLDFILE of a read-protected
// file fails with 224, MODE_NEWFILE or MODE_READWRITE of a write-protected one
// with 223. A directory is 212, a missing file (OLDFILE, READWRITE) 205.
// "NIL:" opens the empty sink. ZERO on failure.
BPTR Open(const char* name, int32_t accessMode);
// Closes a handle (ZERO is ignored). The handle is gone either way; FALSE
// when Linux reported that data may not have been written.
bool Close(BPTR file);
// Bytes read (0 at the end of the file), -1 on failure.
int32_t Read(BPTR file, APTR buffer, int32_t length);
// Bytes written (all of them unless the disk filled up), -1 on failure.
int32_t Write(BPTR file, const void* buffer, int32_t length);
// Puts what was written through the handle on the disk (each Write reaches
// Linux at once; Flush syncs it). FALSE for something that is no handle or a
// disk that failed to take the data.
bool Flush(BPTR file);
// Moves the position and returns the position before the move, as a 32-bit
// word (read it as unsigned for files past 2 GiB). -1 with IoErr 219 when the
// new position would lie before 0 or past the end; a successful Seek sets
// IoErr to 0, so that -1 with IoErr 0 is the old position 0xFFFFFFFF.
int32_t Seek(BPTR file, int32_t position, int32_t mode);
// Sets the size of the file to offset counted as in Seek; returns the new size
// or -1 (IoErr set). The position is kept, moved to the new end when it lay past it.
int32_t SetFileSize(BPTR file, int32_t offset, int32_t mode);

// ---------------------------------------------------------------------------
// Object metadata by name

// Stores the protection word (FIBF_... bits, the higher bits kept as they are).
// A volume that cannot store it accepts only FIBF_DEFAULT, anything else is 209.
bool SetProtection(const char* name, int32_t protect);
// Stores the comment (up to 255 bytes, longer is 220; 79 are shown in a
// FileInfoBlock). NIL or "" removes it; a volume that cannot store comments
// accepts only those (209 otherwise).
bool SetComment(const char* name, const char* comment);
// Sets the object's date of last change, ticks included.
bool SetFileDate(const char* name, const struct DateStamp* date);
// The current date and time (local time) into ds; returns ds.
struct DateStamp* DateStamp(struct DateStamp* ds);

// ---------------------------------------------------------------------------
// Links

constexpr int32_t LINK_HARD = 0;
constexpr int32_t LINK_SOFT = 1;

// Makes name a soft link holding the Amiga path `destination` (kept as text,
// relative paths relative to the link's folder).
bool MakeLink(const char* name, const char* destination, int32_t soft);
// Makes name a hard link to the file that lock stands for (same volume;
// directories are 212). Only names made this way report ST_LINKFILE.
bool MakeLink(const char* name, BPTR destination, int32_t soft);
// The target of the link `path` (relative to lock; port names the volume and
// may be NIL) as an absolute Amiga path in buffer. Returns its length; -2 when
// buffer (size bytes) is too small; -1 with IoErr 212 and an empty buffer when
// path is no link, -1 with another IoErr when it cannot be read.
int32_t ReadLink(MsgPort* port, BPTR lock, const char* path, char* buffer, uint32_t size);

// ---------------------------------------------------------------------------
// Environment variables

// Variable kinds and flags (the low byte is the kind).
constexpr uint32_t LV_VAR = 0;
constexpr uint32_t GVF_GLOBAL_ONLY = 0x100;     // only ENV: (the hosted process has no local ones)
constexpr uint32_t GVF_LOCAL_ONLY = 0x200;      // only the process's own: none exist here
constexpr uint32_t GVF_BINARY_VAR = 0x400;      // the value does not stop at a newline
constexpr uint32_t GVF_DONT_NULL_TERM = 0x800;  // GetVar adds no NUL
constexpr uint32_t GVF_SAVE_VAR = 0x1000;       // SetVar writes ENVARC: too

// The variable "dir/name" is the file ENV:dir/name; when ENV: has none, the
// one saved in ENVARC: is read. Names with an empty, "." or ".." component, a
// leading "/" or a ":" are refused (210). The hosted process keeps no local
// variables: every variable is global, whether GVF_GLOBAL_ONLY is given or not.
// GetVar copies the value (up to the first newline unless GVF_BINARY_VAR)
// into buffer, NUL-terminated within size bytes, and returns the characters
// copied; the value is cut to fit, and IoErr then holds its full length.
// -1 with IoErr 205 when the variable is not set.
int32_t GetVar(const char* name, char* buffer, int32_t size, uint32_t flags);
// Sets a global variable to size bytes of buffer (size -1: up to its NUL);
// with GVF_SAVE_VAR it is also saved in ENVARC:. A NIL buffer deletes the
// variable (from ENVARC: too with GVF_SAVE_VAR). GVF_LOCAL_ONLY is 209.
bool SetVar(const char* name, const char* buffer, int32_t size, uint32_t flags);

// ---------------------------------------------------------------------------
// The running program

// The program's name into buffer: the name of its executable unless the
// program set another. FALSE with 120 when it does not fit.
bool GetProgramName(char* buffer, int32_t length);
bool SetProgramName(const char* name);
// A lock on the folder the program's file lies in; the process's, not to be
// unlocked. ZERO when it cannot be locked.
BPTR GetProgramDir();
// Makes lock the program's folder and returns the old one (the caller's now).
BPTR SetProgramDir(BPTR lock);
// The program's arguments as one line ending with "\n" (arguments holding
// blanks or quotes are quoted, as the shell would read them back).
const char* GetArgStr();
// Replaces the argument line (copied) and returns the old one, valid until the next call.
const char* SetArgStr(const char* argString);

// ---------------------------------------------------------------------------
// Signals of the process (exec.library's call, hosted with the process)

constexpr uint32_t SIGBREAKB_CTRL_C = 12;
constexpr uint32_t SIGBREAKF_CTRL_C = 1u << 12;
constexpr uint32_t SIGBREAKF_CTRL_D = 1u << 13;
constexpr uint32_t SIGBREAKF_CTRL_E = 1u << 14;
constexpr uint32_t SIGBREAKF_CTRL_F = 1u << 15;

// Sets the signals in mask to those of newSignals and returns all received
// signals as they were before. Ctrl-C at the terminal (SIGINT) sets
// SIGBREAKF_CTRL_C; SetSignal(0, SIGBREAKF_CTRL_C) tests and clears it.
uint32_t SetSignal(uint32_t newSignals, uint32_t signalMask);

// ---------------------------------------------------------------------------
// Running commands

// SystemTagList tags (the hosted system's own values).
constexpr uint32_t SYS_Input = 0x80440001;      // BPTR handle the shell reads; NIL: makes it quiet
constexpr uint32_t SYS_Output = 0x80440002;     // BPTR handle it writes; ZERO: where the input is
constexpr uint32_t SYS_Asynch = 0x80440003;     // TRUE: start the command and return 0 at once
constexpr uint32_t NP_StackSize = 0x80440101;   // bytes (recorded; Linux programs size their own)
constexpr uint32_t NP_Priority = 0x80440102;    // below 0 lowers the command's priority
constexpr uint32_t NP_CurrentDir = 0x80440103;  // BPTR lock of the folder the command starts in

// Runs a command line in a new shell (see os/shell/shell.h). Returns -1 when it
// could not be started (IoErr set; the handles stay the caller's), else the
// command's return code, 0 at once when asynchronous; the shell then owns
// the SYS_Input and SYS_Output handles and the caller's are closed.
int32_t SystemTagList(const char* command, const TagItem* tags);
