// The folders of emulator programs, remembered for good in the environment
// variables "AppDir/" + the program's name (ENV: and ENVARC:AppDir/).
#pragma once

// Sets the variable to the folder (a canonical directory path) and saves it;
// when that fails, tells the user which file and why. TRUE when saved.
bool rememberProgramFolder(const char* variable, const char* folder);
