// Recognising the kind of a game from its file name and a few bytes of its
// contents. Each test takes a host path and never raises an error for a
// missing or unreadable file: such a file simply fails the test.
#pragma once

bool is68kProg(const char* path);
bool isWHDLoadProg(const char* path);
bool isMSDOSProg(const char* path);
bool isMegazeuxProg(const char* path);
bool isAmigaDisk(const char* path);
bool isAtariSTDisk(const char* path);
bool isAtariLynxROM(const char* path);
bool isMegaDriveROM(const char* path);
bool isNESrom(const char* path);
bool isSNESrom(const char* path);
bool isC64Tape(const char* path);
bool isSpectrumTape(const char* path);
bool isInfocomIF(const char* path);
bool isTADSif(const char* path);
bool isPSXPiso(const char* path);

// The tests in the order in which a new game is tried; the first that
// accepts gives the game its tag.
struct GameKindTest {
  bool (*accepts)(const char* path);
  const char* tag;
};
extern const GameKindTest gameKindTests[15];
