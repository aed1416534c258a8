#include "app/games/game_kinds.h"

#include "app/games/game_file_start.h"

#include <cstdint>
#include <cstring>
#include <initializer_list>

#include "core/strings/string.h"
#include "core/strings/text.h"
#include "imaging/desktop.h"
#include "os/dos/dos.h"

namespace {

// TRUE when the path ends with ending, compared without regard to a-z case.
bool endsWith(const char* path, const char* ending) {
  const size_t length = std::strlen(path);
  const size_t n = std::strlen(ending);
  return length >= n && StrCmpNoCase(path + length - n, ending);
}

// Up to `count` bytes from `offset` of the file into buffer, from the start
// the tests of this file share (read here when none is given): the number
// read, or -1 when the file cannot be opened or the offset reached.
int32_t readBytes(const char* path, GameFileStart* start, int32_t offset, uint8_t* buffer, int32_t count) {
  if (start) return start->bytesAt(offset, buffer, count);
  GameFileStart own(path);
  return own.bytesAt(offset, buffer, count);
}

// TRUE when the file holds `expected` (length bytes) at offset; bytes that
// were not read never match.
bool contentIs(const char* path, GameFileStart* start, int32_t offset, const void* expected, int32_t length) {
  uint8_t buffer[32] = {};
  return readBytes(path, start, offset, buffer, length) == length &&
         std::memcmp(buffer, expected, static_cast<size_t>(length)) == 0;
}

bool endsWithAny(const char* path, std::initializer_list<const char*> endings) {
  for (const char* e : endings)
    if (endsWith(path, e)) return true;
  return false;
}

}  // namespace

bool is68kProg(const char* path, GameFileStart* start) {
  static const uint8_t hunkHeader[] = {0x00, 0x00, 0x03, 0xF3, 0x00};
  return contentIs(path, start, 0, hunkHeader, 5);
}

bool isWHDLoadProg(const char* path, GameFileStart* start) {
  char* tool = getToolOfProjectIcon(path);
  if (!tool) return false;
  bool accepted;
  try {
    accepted = StrCmpNoCase(FilePart(tool), "WHDLoad") && !isAmigaDisk(path, start);
  } catch (...) {
    DisposeString(tool);
    throw;
  }
  DisposeString(tool);
  return accepted;
}

bool isMSDOSProg(const char* path, GameFileStart* start) {
  if (endsWith(path, ".EXE")) return contentIs(path, start, 0, "MZ", 2);
  return endsWithAny(path, {".COM", ".BAT"});
}

bool isMegazeuxProg(const char* path, GameFileStart*) { return endsWith(path, ".MZX"); }

bool isAmigaDisk(const char* path, GameFileStart* start) {
  if (endsWith(path, ".ADF")) {
    uint8_t buffer[9] = {};
    const int32_t got = readBytes(path, start, 0, buffer, 9);
    if (got == 9 && std::memcmp(buffer, "UAE--ADF", 9) == 0) return true;  // the 9th byte is the NUL
    return got >= 4 && std::memcmp(buffer, "DOS", 4) == 0;
  }
  return endsWith(path, ".DMS");
}

bool isAtariSTDisk(const char* path, GameFileStart* start) {
  static const uint8_t msaHeader[] = {0x0E, 0x0F, 0x00, 0x09, 0x00, 0x01, 0x00, 0x00};
  static const uint8_t bootSectorLayout[] = {0x00, 0x02, 0x02, 0x01, 0x00, 0x02};
  if (endsWith(path, ".MSA")) return contentIs(path, start, 0, msaHeader, 8);
  if (endsWith(path, ".ST")) return contentIs(path, start, 11, bootSectorLayout, 6);
  return false;
}

bool isAtariLynxROM(const char* path, GameFileStart* start) {
  if (endsWith(path, ".LNX")) {
    uint8_t buffer[5] = {};
    const int32_t got = readBytes(path, start, 0, buffer, 5);
    if (got == 5 && std::memcmp(buffer, "LYNX", 5) == 0) return true;
    return got >= 2 && buffer[0] == 0x80 && buffer[1] == 0x08;
  }
  // Headerless Lynx images carry the ending ".LYX".
  return endsWith(path, ".LYX");
}

bool isMegaDriveROM(const char* path, GameFileStart* start) {
  if (endsWith(path, ".BIN")) {
    uint8_t buffer[19] = {};
    return readBytes(path, start, 256, buffer, 19) == 19 && std::memcmp(buffer, "SEGA", 4) == 0 &&
           std::memcmp(buffer + 16, "(C)", 3) == 0;
  }
  return endsWith(path, ".SMD");
}

bool isNESrom(const char* path, GameFileStart* start) { return endsWith(path, ".NES") && contentIs(path, start, 0, "NES\x1A", 4); }

bool isSNESrom(const char* path, GameFileStart*) { return endsWithAny(path, {".SFC", ".SMC"}); }

bool isC64Tape(const char* path, GameFileStart* start) {
  if (endsWith(path, ".T64")) return contentIs(path, start, 0, "C64", 3);
  return endsWithAny(path, {".C64", ".D64"});
}

bool isSpectrumTape(const char* path, GameFileStart* start) {
  static const uint8_t tapHeader[] = {0x13, 0x00, 0x00, 0x00};
  if (endsWith(path, ".TAP")) return contentIs(path, start, 0, tapHeader, 4);
  if (endsWith(path, ".TZX")) return contentIs(path, start, 0, "ZXTape!\x1A\x01", 9);
  return endsWithAny(path, {".SNA", ".Z80", ".SP"});
}

bool isInfocomIF(const char* path, GameFileStart* start) {
  uint8_t first = 0;
  if (endsWith(path, ".DAT")) return readBytes(path, start, 0, &first, 1) == 1 && first >= 1 && first <= 8;
  const size_t length = std::strlen(path);
  if (length < 3) return false;
  const char digit = path[length - 1];
  if (!StrCmpNoCase(path + length - 3, ".Z", 2) || digit < '1' || digit > '8') return false;
  return readBytes(path, start, 0, &first, 1) == 1 && first == digit - '0';
}

bool isTADSif(const char* path, GameFileStart* start) {
  return endsWith(path, ".GAM") && contentIs(path, start, 0, "TADS2 bin\x0A\x0D\x1A\x00", 13);
}

bool isPSXPiso(const char* path, GameFileStart* start) {
  static const uint8_t rawSectorStart[] = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00,
                                           0x00, 0x02, 0x00, 0x02, 0x00, 0x00, 0x08, 0x00, 0x00, 0x00, 0x08, 0x00};
  return endsWith(path, ".ISO") && contentIs(path, start, 0, rawSectorStart, 24);
}

const GameKindTest gameKindTests[15] = {
    {is68kProg, "Classic"},        {isWHDLoadProg, "WHDLoad"},   {isMSDOSProg, "MSDOS"},
    {isMegazeuxProg, "Megazeux"},  {isAmigaDisk, "Floppy"},      {isAtariSTDisk, "AtariST"},
    {isAtariLynxROM, "AtariLynx"}, {isMegaDriveROM, "MegaDrive"}, {isNESrom, "NES"},
    {isSNESrom, "SNES"},           {isC64Tape, "C64"},           {isSpectrumTape, "Spectrum"},
    {isInfocomIF, "Infocom"},      {isTADSif, "TADS"},           {isPSXPiso, "PlayStation"},
};

const char* gameKindOf(const char* path) {
  GameFileStart start(path);
  for (const GameKindTest& t : gameKindTests)
    if (t.accepts(path, &start)) return t.tag;
  return nullptr;
}
