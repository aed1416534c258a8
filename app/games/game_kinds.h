// Recognising the kind of a game from its file name and a few bytes of its
// contents. Each test takes a host path and never raises an error for a
// missing or unreadable file: such a file simply fails the test. The tests of
// one file share the first bytes read for the first test that needs them
// (start); without a start a test reads the file itself. A file is only ever
// opened for reading.
#pragma once

class GameFileStart;

bool is68kProg(const char* path, GameFileStart* start = nullptr);
bool isWHDLoadProg(const char* path, GameFileStart* start = nullptr);
bool isMSDOSProg(const char* path, GameFileStart* start = nullptr);
bool isMegazeuxProg(const char* path, GameFileStart* start = nullptr);
bool isAmigaDisk(const char* path, GameFileStart* start = nullptr);
bool isAtariSTDisk(const char* path, GameFileStart* start = nullptr);
bool isAtariLynxROM(const char* path, GameFileStart* start = nullptr);
bool isMegaDriveROM(const char* path, GameFileStart* start = nullptr);
bool isNESrom(const char* path, GameFileStart* start = nullptr);
bool isSNESrom(const char* path, GameFileStart* start = nullptr);
bool isC64Tape(const char* path, GameFileStart* start = nullptr);
bool isSpectrumTape(const char* path, GameFileStart* start = nullptr);
bool isInfocomIF(const char* path, GameFileStart* start = nullptr);
bool isTADSif(const char* path, GameFileStart* start = nullptr);
bool isPSXPiso(const char* path, GameFileStart* start = nullptr);

// The tests in the order in which a new game is tried; the first that
// accepts gives the game its tag.
struct GameKindTest {
  bool (*accepts)(const char* path, GameFileStart* start);
  const char* tag;
};
extern const GameKindTest gameKindTests[15];

// The tag of the first test that accepts the file, its first bytes read at
// most once for all of them; NIL when none does.
const char* gameKindOf(const char* path);
