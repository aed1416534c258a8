// Starting a game: through the launcher its tags choose, with the game's path,
// parameters and folder put into the launcher's commands and every emulator
// program reference replaced by the folder where the user said it lives; or,
// without a launcher, the way the desktop starts it.
#pragma once
#include <cstdint>

#include "os/dos/dos.h"
#include "os/utility/tags.h"

class game;

// The stack size of every launched command.
constexpr int32_t LAUNCH_STACK_SIZE = 300000;

// Starts the game. Reports nothing, but for a program folder with a line
// break that the launcher would put outside double quotes: that game is not
// started, and a requester says why.
void launch(const game* g);
// Takes over text and returns, as a new string, the text with every
// "${AppDir/name}" replaced by the program's folder (asked for when not
// known), written as a file name for where the reference stands; or NIL when
// the user did not supply a program or the folder cannot be written there.
// Read once: a folder put in is not read again (expandLaunchCommands).
char* expandAppDir(char* text);
// Asks for one file until the answer is a file or the user cancels; the
// chosen file as a canonical file path, or NIL.
char* requestFile2(const char* title, const char* file, const char* pattern);
// The folder part of a canonical path in host form, ready for a file name to
// be appended ("/" added unless it ends in "/" or ":"). A new string.
char* extractAppendableHostSubPath(const char* path);
// Runs a shell command line. TRUE when it was started; *returnCode (when
// given) gets its return code, 20 when it was not started.
bool executeCommand(const char* command, bool quiet, bool async, int32_t stack, int32_t priority, BPTR currentDir,
                    const TagItem* moreTags, int32_t* returnCode = nullptr);
