#if defined(LUDEX_SYSTEM_MORPHOS)
#include "platform/system_data.h"

const char* const systemName = "MorphOS";

const bool executeWaitsForScript = false;

const char* const builtinLauncherTable[] = {
    "MSDOS", "RunInDOSBox \"%g\" %p",
    "AtariST", "CD \"${AppDir/Hatari}\"\nRequestChoice >NIL: \"Hatari\" \"Press F12 for menu!\" \"OK\" TIMEOUTSECS=2\nHatari %p \"%g\"",
    "Floppy", "CD \"${AppDir/E-UAE}\"\nRequestChoice >NIL: \"E-UAE\" \"Press Ctrl-Alt-Q to quit!\" \"OK\" TIMEOUTSECS=2\nE-UAE -0 \"%g\" %p",
    "SNES", "CD \"${AppDir/Snes9x}\"\nSnes9x -ov -fs %p \"%g\"",
    "NES", "CD \"${AppDir/FCEU_MOS}\"\nFCEU_MOS \"%g\" -overlay %p",
    "MegaDrive", "CD \"${AppDir/GenesisPlus}\"\nGenesisPlus \"%g\" -overlay -vsync %p",
    "C64", ";VICE\nCD \"${AppDir/x64}\"\nx64 -autostart-warp %p \"%g\"",
    "Spectrum", "CD \"${AppDir/Fuse}\"\nRequestChoice >NIL: \"Fuse\" \"Press F1 for menu!\" \"OK\" TIMEOUTSECS=2\nFuse %p \"%g\"",
    "Infocom", "CD \"${AppDir/Frotz}\"\nFrotz %p \"%g\"",
    nullptr,
};
#endif
