// Data chosen per system at build time (LUDEX_SYSTEM).
#pragma once

// The system's name.
extern const char* const systemName;

// The built-in launchers: pairs of tag and commands (lines joined by "\n"),
// ended by a NIL tag.
extern const char* const builtinLauncherTable[];

// TRUE where the shell's Execute waits for the script it runs: the launcher
// then starts a script with "Run Execute ...", so that it returns at once.
extern const bool executeWaitsForScript;
