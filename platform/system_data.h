// Data chosen per system at build time (LUDEX_SYSTEM).
#pragma once

// The system's name.
extern const char* const systemName;

// The built-in launchers: pairs of tag and commands (lines joined by "\n"),
// ended by a NIL tag.
extern const char* const builtinLauncherTable[];
